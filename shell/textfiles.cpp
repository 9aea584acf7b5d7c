#include "shell/textfiles.h"

#include <QFile>
#include <QStringDecoder>

#include <optional>

#include <cerrno>
#include <string>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TextFiles {

namespace {

QString decodeWindows1252(const QByteArray& data)
{
    QStringDecoder windows1252("windows-1252");
    if (windows1252.isValid())
        return windows1252.decode(data);
    // Without that codec: Latin-1 but for the printable characters Windows puts at 0x80-0x9F.
    static const char16_t high[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    QString text = QString::fromLatin1(data);
    for (QChar& ch : text)
        if (ch.unicode() >= 0x80 && ch.unicode() <= 0x9F)
            ch = QChar(high[ch.unicode() - 0x80]);
    return text;
}

std::optional<QStringConverter::Encoding> wideEncoding(const QByteArray& data)
{
    const auto bom = QStringConverter::encodingForData(data);
    if (bom && *bom != QStringConverter::Utf8 && *bom != QStringConverter::Latin1)
        return bom;
    return std::nullopt;
}

// Control characters other than tab, line ends and form feed.
bool isStrayControl(char32_t c) { return c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f'; }

// NUL, or more than one stray control character in ten (tested on the first 4096 characters).
bool mostlyControls(const std::u32string& head)
{
    qsizetype controls = 0;
    for (const char32_t c : head) {
        if (c == 0)
            return true;
        controls += isStrayControl(c) ? 1 : 0;
    }
    const auto size = qsizetype(head.size());
    return size >= 64 && controls * 10 > size;
}

QString errnoReason(int error)
{
    switch (error) {
    case ENOENT: return QStringLiteral("il file non esiste");
    case EACCES: case EPERM: return QStringLiteral("permesso di lettura negato");
    case ELOOP: return QStringLiteral("collegamento simbolico circolare");
    case EISDIR: return QStringLiteral("al suo posto c'è una cartella");
    default: return QStringLiteral("errore di sistema n. %1").arg(error);
    }
}

} // namespace

bool isWide(const QByteArray& data) { return wideEncoding(data).has_value(); }

QString decode(const QByteArray& data)
{
    QString text;
    if (const auto bom = wideEncoding(data)) {
        text = QStringDecoder(*bom).decode(data);
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8);
        text = utf8.decode(data);
        if (utf8.hasError())
            return decodeWindows1252(data); // a file written on Windows
    }
    if (text.startsWith(QChar::ByteOrderMark))
        text.remove(0, 1);
    return text;
}

bool looksBinary(const QByteArray& data)
{
    if (isWide(data)) {
        const QString text = decode(data);
        if (text.contains(QChar(0)))
            return true;
        std::u32string head;
        for (const QChar c : QStringView(text).left(4096))
            head.push_back(c.unicode());
        return mostlyControls(head);
    }
    if (data.contains('\0'))
        return true;
    std::u32string head;
    for (const char c : QByteArrayView(data).first(qMin<qsizetype>(data.size(), 4096)))
        head.push_back(static_cast<unsigned char>(c));
    return mostlyControls(head);
}

QByteArray wholeCharacters(const QByteArray& data)
{
    if (const auto bom = wideEncoding(data)) {
        const qsizetype unit = (*bom == QStringConverter::Utf32LE || *bom == QStringConverter::Utf32BE
                                || *bom == QStringConverter::Utf32) ? 4 : 2;
        return data.left(data.size() - data.size() % unit);
    }
    // UTF-8: step back over continuation bytes to the last lead byte, and drop
    // that sequence when it is incomplete. Windows-1252 bytes are all whole.
    qsizetype lead = data.size();
    int continuations = 0;
    while (lead > 0 && continuations < 4 && (static_cast<unsigned char>(data[lead - 1]) & 0xC0) == 0x80) {
        --lead;
        ++continuations;
    }
    if (lead == 0)
        return data;
    const auto first = static_cast<unsigned char>(data[lead - 1]);
    const int length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    if (length > 1 && continuations < length - 1)
        return data.left(lead - 1);
    return data;
}

Head readHead(const QString& path, qint64 maxBytes)
{
    Head head;
    if (path.isEmpty()) {
        head.reason = errnoReason(ENOENT);
        return head;
    }
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        head.status = error == ENOENT || error == ENOTDIR ? Head::Status::Missing : Head::Status::Unreadable;
        head.reason = errnoReason(error);
        return head;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        head.status = Head::Status::NotAFile;
        head.reason = S_ISDIR(info.st_mode) ? QStringLiteral("al suo posto c'è una cartella")
                                            : QStringLiteral("non è un file ordinario");
        ::close(fd);
        return head;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        head.status = Head::Status::Unreadable;
        head.reason = QStringLiteral("errore di lettura");
        return head;
    }
    head.data = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        head.status = Head::Status::Unreadable;
        head.reason = QStringLiteral("errore di lettura");
        head.data.clear();
        return head;
    }
    head.status = Head::Status::Read;
    if (head.data.size() > maxBytes) {
        head.truncated = true;
        head.data.truncate(maxBytes);
        head.data = wholeCharacters(head.data);
    }
    return head;
}

} // namespace TextFiles
