#include "shell/media/midifile.h"

#include <cstdint>

namespace MidiFile {

namespace {

// Reads from a bounded range; every read says whether it stayed inside.
class Reader {
public:
    Reader(const QByteArray& data, qsizetype begin, qsizetype end) : data_(data), pos_(begin), end_(end) {}

    bool atEnd() const { return pos_ >= end_; }
    qsizetype position() const { return pos_; }

    bool byte(std::uint8_t& value)
    {
        if (pos_ >= end_)
            return false;
        value = static_cast<std::uint8_t>(data_[pos_++]);
        return true;
    }
    bool bigEndian(int bytes, std::uint32_t& value)
    {
        value = 0;
        for (int i = 0; i < bytes; ++i) {
            std::uint8_t b = 0;
            if (!byte(b))
                return false;
            value = (value << 8) | b;
        }
        return true;
    }
    // A variable-length quantity: at most four bytes, seven bits each.
    bool variableLength(std::uint32_t& value)
    {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t b = 0;
            if (!byte(b))
                return false;
            value = (value << 7) | (b & 0x7F);
            if (!(b & 0x80))
                return true;
        }
        return false;
    }
    bool skip(std::uint32_t count)
    {
        if (qsizetype(count) > end_ - pos_)
            return false;
        pos_ += qsizetype(count);
        return true;
    }
    bool tag(const char (&expected)[5])
    {
        if (end_ - pos_ < 4 || data_.mid(pos_, 4) != QByteArray(expected, 4))
            return false;
        pos_ += 4;
        return true;
    }

private:
    const QByteArray& data_;
    qsizetype pos_;
    qsizetype end_;
};

// Data bytes that follow a channel status byte.
int dataBytes(std::uint8_t status)
{
    const std::uint8_t kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

bool validTrack(const QByteArray& data, qsizetype begin, qsizetype end)
{
    Reader track(data, begin, end);
    std::uint8_t running = 0; // the last channel status, for running status
    while (!track.atEnd()) {
        std::uint32_t delta = 0;
        std::uint8_t status = 0;
        if (!track.variableLength(delta) || !track.byte(status))
            return false;
        if (status == 0xFF) { // meta event: type, length, data
            std::uint8_t type = 0;
            std::uint32_t length = 0;
            if (!track.byte(type) || type >= 0x80 || !track.variableLength(length) || !track.skip(length))
                return false;
            if (type == 0x2F)
                return true; // end of track: whatever follows in the chunk is ignored
            running = 0;
        } else if (status == 0xF0 || status == 0xF7) { // system exclusive: length, data
            std::uint32_t length = 0;
            if (!track.variableLength(length) || !track.skip(length))
                return false;
            running = 0;
        } else if (status >= 0xF1) { // no other system message belongs in a file
            return false;
        } else {
            int count = 0;
            if (status & 0x80) {
                running = status;
                count = dataBytes(status);
            } else { // running status: this byte is the first data byte
                if (running == 0)
                    return false;
                count = dataBytes(running) - 1;
            }
            for (int i = 0; i < count; ++i) {
                std::uint8_t value = 0;
                if (!track.byte(value) || value >= 0x80)
                    return false;
            }
        }
    }
    return true; // a track may end without its end-of-track event
}

} // namespace

bool looksLikeMidi(const QByteArray& data)
{
    if (data.size() > MaxBytes)
        return false;
    Reader file(data, 0, data.size());
    std::uint32_t headerLength = 0, format = 0, tracks = 0, division = 0;
    if (!file.tag("MThd") || !file.bigEndian(4, headerLength) || headerLength < 6)
        return false;
    const qsizetype headerEnd = file.position() + qsizetype(headerLength);
    if (!file.bigEndian(2, format) || !file.bigEndian(2, tracks) || !file.bigEndian(2, division))
        return false;
    if (format > 2 || tracks == 0 || (format == 0 && tracks != 1) || division == 0)
        return false;
    if (!file.skip(std::uint32_t(headerEnd - file.position())))
        return false;
    std::uint32_t tracksSeen = 0;
    while (!file.atEnd()) {
        const bool isTrack = file.tag("MTrk");
        if (!isTrack && !file.skip(4)) // another chunk's tag: skipped with its data
            return false;
        std::uint32_t length = 0;
        if (!file.bigEndian(4, length))
            return false;
        const qsizetype begin = file.position();
        if (!file.skip(length))
            return false;
        if (isTrack) {
            if (!validTrack(data, begin, begin + qsizetype(length)))
                return false;
            ++tracksSeen;
        }
    }
    return tracksSeen > 0 && tracksSeen <= tracks;
}

} // namespace MidiFile
