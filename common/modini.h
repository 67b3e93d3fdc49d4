#pragma once
// Profile (INI) file access: the one module through which both programs touch qv.ini.
//
// Reads and writes go through the profile functions (win32::GetPrivateProfileStringA and
// win32::WritePrivateProfileStringA); the scanning operations read the file themselves, line by
// line, and compare names exactly. Every failure is shown to the user as a message box.
#include <QString>
#include <cstdint>
#include <optional>

namespace qv {

// The result of ReadKey: absent when the file does not exist, otherwise the value (empty when
// the key is missing). Callers that want text use value_or(QString()).
using ProfileValue = std::optional<QString>;

ProfileValue ReadKey(const QString& path, const QString& section, const QString& key);

// Status results: 1 when the change was made, 0 when it was refused.
std::int16_t WriteKey(const QString& path, const QString& section, const QString& key,
                      const QString& value);
std::int16_t DeleteSection(const QString& path, const QString& section);
std::int16_t DeleteKey(const QString& path, const QString& section, const QString& key);
std::int16_t RenameSection(const QString& path, const QString& oldName, const QString& newName);
std::int16_t RenameKey(const QString& path, const QString& section, const QString& oldKey,
                       const QString& newKey);

bool SectionExists(const QString& path, const QString& section);
bool KeyExists(const QString& path, const QString& section, const QString& key);
bool IsKeyLine(const QString& line);
bool IsSectionLine(const QString& line);

} // namespace qv
