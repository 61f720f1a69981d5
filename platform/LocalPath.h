#pragma once

#include <QString>

#include <string>
#include <string_view>

class QUrl;

// File names as the file system holds them. A name is bytes, most often
// UTF-8 but not always (a file copied from an old disk, an archive of
// another system); Qt holds names as text and turns bytes that are not
// UTF-8 into U+FFFD, after which the file cannot be found again. Here a
// name's bytes that are not UTF-8 travel in the text as lone surrogates
// U+DC80 ... U+DCFF, one per byte (the convention Python calls
// "surrogateescape"), so that every name comes back to its own bytes. Such
// text is for the program's own use: Display() is what a person reads.
namespace LocalPath {

// The text of a name's bytes, every byte kept.
QString FromBytes(std::string_view bytes);
// The bytes of a name's text: what FromBytes made of them, UTF-8 for the
// rest.
std::string Bytes(const QString& path);
// The name as a person reads it: every byte that is not UTF-8 shown as
// U+FFFD, as the file dialog lists it.
QString Display(const QString& path);
// Whether every byte of the name is UTF-8 (Qt's own text of it is then
// the name).
bool IsUtf8(const QString& path);
// The last part of path (after its last '/').
QString FileName(const QString& path);
// That last part as a person reads it (a window's title, a message).
QString DisplayName(const QString& path);
// path made absolute against the current folder, "." and ".." taken out,
// without looking at the disk.
QString Absolute(const QString& path);
// A name a file dialog gave: itself when it is there; when it is not and
// one name in its folder reads as it (a name whose bytes are not UTF-8,
// listed by the dialog with U+FFFD), that one.
QString Resolve(const QString& chosen);
// Whether a file is there at path (of any kind), and whether it is a
// regular file, looked at by its bytes.
bool Exists(const QString& path);
bool IsRegularFile(const QString& path);
bool IsDirectory(const QString& path);
// The local file a file: URL names (a dropped file), its bytes kept; empty
// for a URL of anything else.
QString FromUrl(const QUrl& url);

} // namespace LocalPath
