#pragma once

#include <QByteArray>
#include <QString>

// File names as the operating system holds them: bytes, not always valid UTF-8. A name read
// from the command line or a directory keeps every byte: bytes that are not UTF-8 are carried
// in the QString as the lone surrogates U+DC80..U+DCFF and written back as the same bytes, so
// such a file can be opened, created and named in messages.
namespace FilePath {

QString fromNative(const QByteArray& bytes);
QByteArray toNative(const QString& path);

// The absolute form of `path` against the working directory, without resolving links.
QString absolute(const QString& path);
// The folder part of an absolute path ("/a/b.db" -> "/a").
QString folder(const QString& absolutePath);

// Text for a message: every byte that is not UTF-8 shown as U+FFFD.
QString shown(const QString& path);

enum class Kind { Missing, File, Folder, Other };
Kind kind(const QString& path);
// Why a path that kind() reports Missing cannot be reached when something is there but cannot
// be followed (a loop of symbolic links, a folder without permission): the system's words;
// "" when there is simply no such file.
QString problem(const QString& path);
// Whether this process may write the file or create files in the folder.
bool writable(const QString& path);

} // namespace FilePath
