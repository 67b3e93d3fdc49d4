# SPDX-License-Identifier: GPL-3.0-or-later
# The INI engine: parsing any bytes, and applying one edit to any bytes.
if(TARGET qv_platform_profile)
    qv_add_fuzz(fuzz_profile_parse SOURCES profile_parse_ini.cpp LIBS qv_platform_profile)
    qv_add_fuzz(fuzz_profile_edit SOURCES profile_edit_ini.cpp LIBS qv_platform_profile)
endif()
