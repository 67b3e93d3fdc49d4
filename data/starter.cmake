# SPDX-License-Identifier: GPL-3.0-or-later
# The starter menu the editor offers on a first start (one tab, the two standard buttons), beside
# the binaries and in the package's data folder.
include(GNUInstallDirs)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/starter/qv.ini ${QV_BIN_DIR}/starter/qv.ini COPYONLY)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/starter/qv.ini
    DESTINATION ${CMAKE_INSTALL_DATADIR}/quorvel/starter)
