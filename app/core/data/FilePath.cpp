#include "FilePath.h"

#include <QDir>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace FilePath {

namespace {

// Length of the valid UTF-8 sequence starting at p[0], or 0.
int utf8Length(const unsigned char* p, qsizetype left) {
    const unsigned char c = p[0];
    int n = 0;
    unsigned min = 0;
    unsigned cp = 0;
    if (c < 0x80)
        return 1;
    if ((c & 0xE0) == 0xC0) {
        n = 2;
        min = 0x80;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        n = 3;
        min = 0x800;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        n = 4;
        min = 0x10000;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (left < n)
        return 0;
    for (int i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

bool isEscape(char16_t c) {
    return c >= 0xDC80 && c <= 0xDCFF;
}

} // namespace

QString fromNative(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const int len = utf8Length(p + i, n - i);
        if (len == 0) {
            out += QChar(char16_t(0xDC00 + p[i]));
            ++i;
        } else {
            out += QString::fromUtf8(reinterpret_cast<const char*>(p + i), len);
            i += len;
        }
    }
    return out;
}

QByteArray toNative(const QString& path) {
    QByteArray out;
    out.reserve(path.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !isEscape(path.at(i).unicode()))
            continue;
        out += QStringView(path).mid(start, i - start).toUtf8();
        if (i < path.size())
            out += char(path.at(i).unicode() - 0xDC00);
        start = i + 1;
    }
    return out;
}

QString absolute(const QString& path) {
    if (path.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(path);
    char buffer[4096];
    const QString cwd = getcwd(buffer, sizeof buffer) ? fromNative(QByteArray(buffer)) : QDir::currentPath();
    return QDir::cleanPath(cwd + QLatin1Char('/') + path);
}

QString folder(const QString& absolutePath) {
    const qsizetype slash = absolutePath.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : absolutePath.left(slash);
}

QString shown(const QString& path) {
    QString out = path;
    for (QChar& c : out)
        if (isEscape(c.unicode()))
            c = QChar::ReplacementCharacter;
    return out;
}

Kind kind(const QString& path) {
    struct stat st {};
    if (stat(toNative(path).constData(), &st) != 0)
        return Kind::Missing;
    if (S_ISREG(st.st_mode))
        return Kind::File;
    if (S_ISDIR(st.st_mode))
        return Kind::Folder;
    return Kind::Other;
}

QString problem(const QString& path) {
    struct stat st {};
    if (stat(toNative(path).constData(), &st) == 0 || errno == ENOENT)
        return QString();
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool writable(const QString& path) {
    return access(toNative(path).constData(), W_OK) == 0;
}

} // namespace FilePath
