// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/modini.h"

#include "platform/dialogs/messagebox.h"
#include "platform/files/filetest.h"
#include "platform/profile/profile.h"
#include "platform/profile/profile_engine.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace qv {

namespace {

// The messages name the operation after "~(": a function's name, never translated.
QString verifyText() {
    return QCoreApplication::translate(
        "modini", "\r\nVerify spelling and capitilization is correct.  Case-sensative.");
}

// The buffer of ReadKey holds 255 characters; a UTF-8 character takes up to four bytes, so the
// byte buffer is four times as large and the text is then cut to 254 characters.
constexpr int kReadChars = 254;
constexpr std::uint32_t kReadBufferBytes = (kReadChars + 1) * 4;

QByteArray bytesOf(const QString& text) {
    return text.toLocal8Bit();
}

void FileMissingMessage(const QString& path, MessageBoxService& messages) {
    MsgBox(messages, QCoreApplication::translate("modini", "%1 not found.").arg(path),
           QCoreApplication::translate("modini", "File Not Found"), MsgIcon::Stop);
}

// A file beyond the engine's bound is never read, so its keys are not "missing": say so.
void TooLargeMessage(const QString& path, MessageBoxService& messages) {
    MsgBox(messages,
           QCoreApplication::translate("modini", "%1 is larger than %2 MiB and is not read")
               .arg(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1),
                    QString::number(profile::kMaxProfileBytes / (std::size_t{1024} * 1024))),
           QCoreApplication::translate("modini", "File Too Large"), MsgIcon::Stop);
}

// The name part of the file test: a hidden file is taken for none.
bool isHiddenName(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1).startsWith(QLatin1Char('.'));
}

} // namespace

void ShownInAction::show(const QString& text, const QString& title, MsgIcon icon) {
    if (actions_ > 0) {
        const QString key = text + QChar(0) + title + QChar(0) + QString::number(int(icon));
        if (std::find(shown_.begin(), shown_.end(), key) != shown_.end()) {
            return;
        }
        shown_.push_back(key);
    }
    box_.show(text, title, icon);
}

bool ShownInAction::ask(const QString& text, const QString& yes, const QString& no) {
    return box_.ask(text, yes, no);
}

ShownInAction::Action::Action(ShownInAction& shown) : shown_(shown) {
    ++shown_.actions_;
}

ShownInAction::Action::~Action() {
    if (--shown_.actions_ == 0) {
        shown_.shown_.clear();
    }
}

// What a read of the value gives back: the bytes that fit the buffer, up to a NUL, cut to 254
// characters, never between the two halves of a surrogate pair.
QString valueAsRead(std::string_view value) {
    const std::size_t copied = std::min<std::size_t>(value.size(), kReadBufferBytes - 1);
    const QString text = QString::fromLocal8Bit(
        value.data(), static_cast<qsizetype>(::strnlen(value.data(), copied)));
    qsizetype units = 0;
    for (int chars = 0; chars < kReadChars && units < text.size(); ++chars) {
        units += (text[units].isHighSurrogate() && units + 1 < text.size() &&
                  text[units + 1].isLowSurrogate())
                     ? 2
                     : 1;
    }
    return text.left(units);
}

namespace {

// The file test that every scanning and deleting operation makes first.
bool fileTest(const QString& path, MessageBoxService& messages) {
    if (isNormalFile(path)) {
        return true;
    }
    FileMissingMessage(path, messages);
    return false;
}

// Why a change was not saved, named by the operation as every message of this module is.
void NotSavedMessage(const QString& path, profile::WriteStatus status, const QString& operation,
                     MessageBoxService& messages) {
    if (status == profile::WriteStatus::TooLarge) {
        TooLargeMessage(path, messages);
    } else if (status == profile::WriteStatus::Refused) {
        MsgBox(messages,
               QCoreApplication::translate(
                   "modini",
                   "The name or text holds a line break or a character that %1 cannot hold, so "
                   "it was not saved. ~(%2)")
                   .arg(path, operation),
               QCoreApplication::translate("modini", "Not Saved"), MsgIcon::Stop);
    } else {
        MsgBox(messages,
               QCoreApplication::translate(
                   "modini", "%1 could not be saved; the file was left as it was. ~(%2)")
                   .arg(path, operation),
               QCoreApplication::translate("modini", "File Not Saved"), MsgIcon::Stop);
    }
}

bool succeeded(profile::WriteStatus status) {
    return status == profile::WriteStatus::Written || status == profile::WriteStatus::Unchanged;
}

// A NUL inside a name or value would silently cut it at the C boundary: refuse it here.
bool holdsNul(const QByteArray& bytes) {
    return bytes.contains('\0');
}

profile::WriteStatus write(const QString& path, const QString& section, const QString* key,
                           const QString* value) {
    const QByteArray p = bytesOf(path);
    const QByteArray s = bytesOf(section);
    const QByteArray k = key ? bytesOf(*key) : QByteArray();
    const QByteArray v = value ? bytesOf(*value) : QByteArray();
    if (holdsNul(p) || holdsNul(s) || holdsNul(k) || holdsNul(v)) {
        return profile::WriteStatus::Refused;
    }
    return profile::writeProfileString(s.constData(), key ? k.constData() : nullptr,
                                       value ? v.constData() : nullptr, p.constData());
}

// The file as the scanning operations see it (the text of a UTF-16 file); a file too large to
// read is reported here, once.
profile::ReadResult readFile(const QString& path, MessageBoxService& messages) {
    profile::ReadResult file = profile::readProfileFile(bytesOf(path).constData());
    if (file.status == profile::ReadStatus::TooLarge) {
        TooLargeMessage(path, messages);
    }
    return file;
}

// The lines of the file, or nothing when it cannot be read.
std::optional<std::string> fileBytes(const QString& path, MessageBoxService& messages) {
    profile::ReadResult file = readFile(path, messages);
    if (file.status != profile::ReadStatus::Ok) {
        return std::nullopt;
    }
    return std::move(file.bytes);
}

std::string_view lineText(std::string_view bytes, const profile::Line& line) {
    return bytes.substr(line.begin, line.contentEnd - line.begin);
}

bool isSectionLineBytes(std::string_view line) {
    return !line.empty() && line.front() == '[' && line.back() == ']';
}

std::string headerOf(const QString& section) {
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "[" + std::string.
    const QByteArray name = bytesOf(section);
    std::string header;
    header.reserve(static_cast<std::size_t>(name.size()) + 2);
    header += '[';
    header.append(name.constData(), static_cast<std::size_t>(name.size()));
    header += ']';
    return header;
}

// The first line equal to the header, or nothing.
bool findHeader(std::string_view bytes, const std::string& header, std::size_t* after) {
    profile::LineReader reader(bytes);
    while (auto line = reader.next()) {
        if (lineText(bytes, *line) == header) {
            if (after != nullptr) {
                *after = line->end;
            }
            return true;
        }
    }
    return false;
}

// Appending as the rewrite does it: while the text is empty the line becomes the text, so blank
// lines at its very start are dropped.
void appendLine(std::string& text, std::string_view line, std::string_view eol) {
    if (text.empty()) {
        text.assign(line);
    } else {
        text.append(eol).append(line);
    }
}

} // namespace

ProfileValue ReadKey(const QString& path, const QString& section, const QString& key,
                     MessageBoxService& messages) {
    const QByteArray s = bytesOf(section);
    const QByteArray k = bytesOf(key);
    // The file test is made by the read itself (the launcher reads every button of a page this
    // way); only the name part of it, a hidden file, is tested here.
    if (isHiddenName(path) || holdsNul(s) || holdsNul(k)) {
        return fileTest(path, messages) ? ProfileValue(QString()) : std::nullopt;
    }
    const QByteArray p = bytesOf(path);
    char buffer[kReadBufferBytes];
    profile::ReadStatus status = profile::ReadStatus::Missing;
    const std::uint32_t n = profile::readProfileString(s.constData(), k.constData(), "", buffer,
                                                       kReadBufferBytes, p.constData(), &status);
    if (status == profile::ReadStatus::Missing) {
        FileMissingMessage(path, messages);
        return std::nullopt;
    }
    if (status == profile::ReadStatus::TooLarge) {
        TooLargeMessage(path, messages);
    }
    return valueAsRead(std::string_view(buffer, n));
}

std::optional<std::vector<QString>> ReadKeys(const QString& path, const QString& section,
                                             const std::vector<QString>& keys,
                                             MessageBoxService& messages) {
    const QByteArray s = bytesOf(section);
    if (isHiddenName(path) || holdsNul(s)) {
        if (!fileTest(path, messages)) {
            return std::nullopt;
        }
        return std::vector<QString>(keys.size());
    }
    const profile::ReadResult file = profile::readProfileFile(bytesOf(path).constData());
    if (file.status != profile::ReadStatus::Ok) {
        if (file.status == profile::ReadStatus::TooLarge) {
            TooLargeMessage(path, messages);
            return std::vector<QString>(keys.size());
        }
        // A file that is there but cannot be read gives empty values, as ReadKey does.
        if (file.status == profile::ReadStatus::Failed && isNormalFile(path)) {
            return std::vector<QString>(keys.size());
        }
        FileMissingMessage(path, messages);
        return std::nullopt;
    }
    std::vector<std::string> wanted;
    wanted.reserve(keys.size());
    for (const QString& key : keys) {
        const QByteArray k = bytesOf(key);
        // A key holding NUL names no key line; "=" stands for it, as no key name holds one.
        wanted.push_back(holdsNul(k) ? std::string("=") : k.toStdString());
    }
    std::vector<QString> values;
    values.reserve(keys.size());
    for (const auto& found : profile::lookupAll(file.bytes, s.constData(), wanted)) {
        values.push_back(found ? valueAsRead(*found) : QString());
    }
    return values;
}

bool ValueWasCut(const QString& path, const QString& section, const QString& key,
                 const QString& value) {
    const QByteArray s = bytesOf(section);
    const QByteArray k = bytesOf(key);
    if (holdsNul(s) || holdsNul(k)) {
        return false;
    }
    // The same profile function with room for more than a read gives back, at the widest
    // encoding: a value that fits reads the same, a longer one does not.
    constexpr std::uint32_t size = kReadBufferBytes + 8;
    char buffer[size];
    const std::uint32_t n = profile::readProfileString(s.constData(), k.constData(), "", buffer,
                                                       size, bytesOf(path).constData(), nullptr);
    return QString::fromLocal8Bit(buffer, static_cast<qsizetype>(n)) != value;
}

std::int16_t WriteKey(const QString& path, const QString& section, const QString& key,
                      const QString& value, MessageBoxService& messages) {
    const profile::WriteStatus status = write(path, section, &key, &value);
    if (!succeeded(status)) {
        NotSavedMessage(path, status, QStringLiteral("WriteKey"), messages);
        return 0;
    }
    return 1;
}

std::int16_t DeleteSection(const QString& path, const QString& section,
                           MessageBoxService& messages) {
    if (!fileTest(path, messages)) {
        return 0;
    }
    const profile::WriteStatus status = write(path, section, nullptr, nullptr);
    if (!succeeded(status)) {
        NotSavedMessage(path, status, QStringLiteral("DeleteSection"), messages);
        return 0;
    }
    return 1;
}

std::int16_t DeleteKey(const QString& path, const QString& section, const QString& key,
                       MessageBoxService& messages) {
    if (!fileTest(path, messages)) {
        return 0;
    }
    const profile::WriteStatus status = write(path, section, &key, nullptr);
    if (!succeeded(status)) {
        NotSavedMessage(path, status, QStringLiteral("DeleteKey"), messages);
        return 0;
    }
    return 1;
}

bool ProfileTooLarge(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && static_cast<std::uint64_t>(info.size()) > profile::kMaxProfileBytes;
}

bool IsKeyLine(const QString& line) {
    return line.contains(QLatin1Char('='));
}

bool IsSectionLine(const QString& line) {
    return !line.isEmpty() && line.front() == QLatin1Char('[') && line.back() == QLatin1Char(']');
}

namespace {

// The key test of KeyExists on bytes already read: a line "key=..." of exactly that key after
// the first header exactly equal to the section's, before the next header.
bool keyExistsIn(std::string_view bytes, const std::string& header, const std::string& key) {
    std::size_t at = 0;
    if (!findHeader(bytes, header, &at)) {
        return false;
    }
    profile::LineReader reader(bytes, at);
    while (auto line = reader.next()) {
        const std::string_view text = lineText(bytes, *line);
        const std::size_t eq = text.find('=');
        if (eq != std::string_view::npos) {
            if (text.substr(0, eq) == key) {
                return true;
            }
        } else if (isSectionLineBytes(text)) {
            return false;
        }
    }
    return false;
}

void SectionNotFoundMessage(const QString& section, const QString& operation,
                            MessageBoxService& messages) {
    MsgBox(messages,
           QCoreApplication::translate("modini", "Section, %1, Not Found. ~(%2)")
                   .arg(section, operation) +
               verifyText(),
           QCoreApplication::translate("modini", "Section Not Found."), MsgIcon::Information);
}

void KeyNotFoundMessage(const QString& key, MessageBoxService& messages) {
    MsgBox(messages,
           QCoreApplication::translate("modini", "Key, %1, Not Found. ~(RenameKey)").arg(key) +
               verifyText(),
           QCoreApplication::translate("modini", "Key Not Found."), MsgIcon::Information);
}

void DuplicateKeyMessage(const QString& section, const QString& key, MessageBoxService& messages) {
    MsgBox(messages,
           QCoreApplication::translate("modini",
                                       "%1 allready exists in the section, %2.  ~(RenameKey)")
               .arg(key, section),
           QCoreApplication::translate("modini", "Duplicate Key."), MsgIcon::Information);
}

} // namespace

bool SectionExists(const QString& path, const QString& section, MessageBoxService& messages) {
    if (!fileTest(path, messages)) {
        return false;
    }
    const auto bytes = fileBytes(path, messages);
    return bytes && findHeader(*bytes, headerOf(section), nullptr);
}

bool KeyExists(const QString& path, const QString& section, const QString& key,
               MessageBoxService& messages) {
    if (!fileTest(path, messages)) {
        return false;
    }
    // One read for both tests: a file too large to read is reported once, not as a missing
    // section.
    const profile::ReadResult file = readFile(path, messages);
    if (file.status == profile::ReadStatus::TooLarge) {
        return false;
    }
    const std::string header = headerOf(section);
    if (file.status != profile::ReadStatus::Ok || !findHeader(file.bytes, header, nullptr)) {
        SectionNotFoundMessage(section, QStringLiteral("KeyExists"), messages);
        return false;
    }
    return keyExistsIn(file.bytes, header, bytesOf(key).toStdString());
}

std::optional<std::string> renameSectionText(std::string_view bytes, const QString& oldName,
                                             const QString& newName) {
    const std::string oldHeader = headerOf(oldName);
    const std::string_view eol = profile::lineEndOf(bytes);
    std::string head;
    std::string tail;
    bool found = false;
    profile::LineReader reader(bytes);
    while (auto line = reader.next()) {
        const std::string_view text = lineText(bytes, *line);
        if (!found) {
            if (text == oldHeader) {
                found = true;
            } else {
                appendLine(head, text, eol);
            }
        } else {
            appendLine(tail, text, eol);
        }
    }
    if (!found) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(bytes.size() + static_cast<std::size_t>(newName.size()) * 4 + 8);
    if (profile::hasBom(bytes)) {
        out.append("\xEF\xBB\xBF");
    }
    if (!head.empty()) {
        out.append(head).append(eol);
    }
    out.append(headerOf(newName)).append(eol);
    if (!tail.empty()) {
        out.append(tail).append(eol);
    }
    return out;
}

std::int16_t RenameSection(const QString& path, const QString& oldName, const QString& newName,
                           MessageBoxService& messages) {
    if (!fileTest(path, messages)) {
        return 0;
    }
    const profile::ReadResult file = readFile(path, messages);
    if (file.status == profile::ReadStatus::TooLarge) {
        return 0;
    }
    if (file.status == profile::ReadStatus::Ok &&
        findHeader(file.bytes, headerOf(newName), nullptr)) {
        MsgBox(messages,
               QCoreApplication::translate("modini", "%1 allready exists.  ~(RenameSection)")
                   .arg(newName),
               QCoreApplication::translate("modini", "Duplicate Section"), MsgIcon::Information);
        return 0;
    }
    const QByteArray newBytes = bytesOf(newName);
    if (holdsNul(newBytes) || !profile::isWritableSection(newBytes.toStdString())) {
        NotSavedMessage(path, profile::WriteStatus::Refused, QStringLiteral("RenameSection"),
                        messages);
        return 0;
    }
    if (file.status != profile::ReadStatus::Ok) {
        NotSavedMessage(path, profile::WriteStatus::Failed, QStringLiteral("RenameSection"),
                        messages);
        return 0;
    }
    const auto renamed = renameSectionText(file.bytes, oldName, newName);
    if (!renamed) {
        return 0;
    }
    // The whole new file replaces the old one in one step: a crash or a full disk leaves the
    // old menu, never none.
    const profile::WriteStatus status =
        profile::storeProfileText(bytesOf(path).constData(), file, *renamed);
    if (status != profile::WriteStatus::Written) {
        NotSavedMessage(path, status, QStringLiteral("RenameSection"), messages);
        return 0;
    }
    return 1;
}

std::int16_t RenameKey(const QString& path, const QString& section, const QString& oldKey,
                       const QString& newKey, MessageBoxService& messages) {
    // One rename is a batch of one: the same checks, messages and single atomic save.
    return RenameKeys(path, section, {{oldKey, newKey}}, messages) == 1 ? 1 : 0;
}

int RenameKeys(const QString& path, const QString& section,
               const std::vector<std::pair<QString, QString>>& renames,
               MessageBoxService& messages) {
    if (renames.empty() || !fileTest(path, messages)) {
        return 0;
    }
    // The same checks as RenameKey's, each on the file as the renames before it left it.
    profile::ReadResult file = readFile(path, messages);
    if (file.status == profile::ReadStatus::TooLarge) {
        return 0;
    }
    std::optional<std::string> bytes;
    if (file.status == profile::ReadStatus::Ok) {
        bytes = std::move(file.bytes);
    }
    const std::string header = headerOf(section);
    const QByteArray s = bytesOf(section);
    int renamed = 0;
    for (const auto& [oldKey, newKey] : renames) {
        if (!bytes || !findHeader(*bytes, header, nullptr)) {
            SectionNotFoundMessage(section, QStringLiteral("RenameKey"), messages);
            continue;
        }
        const QByteArray o = bytesOf(oldKey);
        const QByteArray n = bytesOf(newKey);
        if (!keyExistsIn(*bytes, header, o.toStdString())) {
            KeyNotFoundMessage(oldKey, messages);
            continue;
        }
        if (keyExistsIn(*bytes, header, n.toStdString())) {
            DuplicateKeyMessage(section, newKey, messages);
            continue;
        }
        profile::EditResult result;
        result.edit = profile::Edit::Refused;
        if (!holdsNul(s) && !holdsNul(o) && !holdsNul(n)) {
            result =
                profile::applyRenameKey(*bytes, s.toStdString(), o.toStdString(), n.toStdString());
        }
        if (result.edit != profile::Edit::Changed) {
            NotSavedMessage(path,
                            result.edit == profile::Edit::Refused ? profile::WriteStatus::Refused
                                                                  : profile::WriteStatus::Unchanged,
                            QStringLiteral("RenameKey"), messages);
            continue;
        }
        bytes = std::move(result.newBytes);
        ++renamed;
    }
    if (renamed == 0) {
        return 0;
    }
    const profile::WriteStatus status =
        profile::storeProfileText(bytesOf(path).constData(), file, *bytes);
    if (status != profile::WriteStatus::Written) {
        NotSavedMessage(path, status, QStringLiteral("RenameKey"), messages);
        return 0;
    }
    return renamed;
}

} // namespace qv
