#include "platform/LocalPath.h"

#include <QDir>
#include <QUrl>

#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <vector>

// Qt decodes and encodes names only as UTF-8 with replacement, so the
// lossless decoding is written out here; it follows the UTF-8 rules of
// RFC 3629 (no overlong forms, no surrogates, nothing beyond U+10FFFF).

namespace {

constexpr char16_t kEscapeBase = 0xDC00; // a byte b >= 0x80 travels as U+DC00 + b

// The length of the valid UTF-8 sequence at bytes[at], or 0 when there is
// none; its code point in code.
std::size_t ValidSequence(std::string_view bytes, std::size_t at, char32_t& code) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (at + length > bytes.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

bool IsEscape(char16_t unit) {
    return unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

QString LocalPath::FromBytes(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t at = 0; at < bytes.size();) {
        char32_t code = 0;
        const std::size_t length = ValidSequence(bytes, at, code);
        if (length == 0) {
            text +=
                QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[at])));
            ++at;
            continue;
        }
        const char32_t one[] = {code};
        text += QString::fromUcs4(one, 1);
        at += length;
    }
    return text;
}

std::string LocalPath::Bytes(const QString& path) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(path.size()));
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t unit = path[i].unicode();
        if (IsEscape(unit)) {
            bytes += static_cast<char>(unit - kEscapeBase);
        } else if (QChar::isHighSurrogate(unit) && i + 1 < path.size() &&
                   QChar::isLowSurrogate(path[i + 1].unicode())) {
            AppendUtf8(bytes, QChar::surrogateToUcs4(unit, path[i + 1].unicode()));
            ++i;
        } else if (QChar::isSurrogate(unit)) {
            AppendUtf8(bytes, 0xFFFD); // a half pair no name gave
        } else {
            AppendUtf8(bytes, unit);
        }
    }
    return bytes;
}

QString LocalPath::Display(const QString& path) {
    QString shown = path;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        // The low half of a pair (a character beyond U+FFFF) is no escape.
        if (QChar::isHighSurrogate(shown[i].unicode()) && i + 1 < shown.size() &&
            QChar::isLowSurrogate(shown[i + 1].unicode()))
            ++i;
        else if (IsEscape(shown[i].unicode()))
            shown[i] = QChar(QChar::ReplacementCharacter);
    }
    return shown;
}

bool LocalPath::IsUtf8(const QString& path) {
    return Display(path) == path;
}

QString LocalPath::FileName(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString LocalPath::DisplayName(const QString& path) {
    return Display(FileName(path));
}

QString LocalPath::Absolute(const QString& path) {
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(path);
    // getcwd's bytes, not Qt's text of them; a current folder that is gone
    // leaves the name as it is.
    std::vector<char> folder(4096);
    while (::getcwd(folder.data(), folder.size()) == nullptr) {
        if (errno != ERANGE)
            return QDir::cleanPath(path);
        folder.resize(folder.size() * 2);
    }
    return QDir::cleanPath(FromBytes(folder.data()) + QLatin1Char('/') + path);
}

QString LocalPath::Resolve(const QString& chosen) {
    if (chosen.isEmpty() || Exists(chosen))
        return chosen;
    // Part by part from the root (or the current folder): a part that is
    // not there as given is the one name in its folder that reads as it.
    const QStringList parts = chosen.split(QLatin1Char('/'));
    QString resolved = chosen.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    for (const QString& part : parts) {
        if (part.isEmpty())
            continue;
        const QString folder = resolved.isEmpty() ? QStringLiteral(".") : resolved;
        QString next = resolved.isEmpty() || resolved.endsWith(QLatin1Char('/'))
                           ? resolved + part
                           : resolved + QLatin1Char('/') + part;
        if (!Exists(next)) {
            std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(Bytes(folder).c_str()), ::closedir);
            if (dir == nullptr)
                return chosen;
            const QString wanted = Display(part);
            QString found;
            int matches = 0;
            while (const dirent* entry = ::readdir(dir.get())) {
                const QString name = FromBytes(entry->d_name);
                if (name != part && Display(name) == wanted) {
                    found = name;
                    ++matches;
                }
            }
            if (matches != 1)
                return chosen;
            next = next.left(next.size() - part.size()) + found;
        }
        resolved = next;
    }
    return resolved;
}

bool LocalPath::Exists(const QString& path) {
    struct stat info {};
    return !path.isEmpty() && ::stat(Bytes(path).c_str(), &info) == 0;
}

bool LocalPath::IsRegularFile(const QString& path) {
    struct stat info {};
    return !path.isEmpty() && ::stat(Bytes(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool LocalPath::IsDirectory(const QString& path) {
    struct stat info {};
    return !path.isEmpty() && ::stat(Bytes(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

QString LocalPath::FromUrl(const QUrl& url) {
    if (!url.isLocalFile())
        return {};
    // The path's percent-escapes are the name's bytes.
    const QByteArray encoded = url.path(QUrl::FullyEncoded).toLatin1();
    return FromBytes(QByteArray::fromPercentEncoding(encoded).toStdString());
}
