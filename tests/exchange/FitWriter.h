#pragma once

// FIT files the tests write: either byte order, developer fields, compressed times, chained files.
#include "FitFile.h" // and the vector and QByteArray it uses

#include <map>
#include <tuple>

class FitWriter {
  public:
    enum Base { Enum = 0x00, U8 = 0x02, U16 = 0x84, S32 = 0x85, U32 = 0x86 };
    using Field = std::pair<int, int>; // number, base type
    static int size(int base) { return base == U16 ? 2 : base == S32 || base == U32 ? 4 : 1; }

    // `developerBytes` adds a developer field of that many bytes to each message.
    FitWriter& define(int local, int global, std::vector<Field> fields, bool bigEndian = false,
                      int developerBytes = 0) {
        bytes({0x40 | (developerBytes ? 0x20 : 0) | local, 0, int(bigEndian)});
        put(m_records, global, 2, bigEndian);
        m_records += char(fields.size());
        for (const auto& [number, base] : fields)
            bytes({number, size(base), base});
        if (developerBytes) // one field: number 0, its size, developer 0
            bytes({1, 0, developerBytes, 0});
        m_types[local] = {std::move(fields), bigEndian, developerBytes};
        return *this;
    }
    // `header` in place of the plain one: a compressed timestamp's.
    FitWriter& data(int local, const std::vector<qint64>& values, int header = -1) {
        const auto& [fields, bigEndian, developerBytes] = m_types.at(local);
        m_records += char(header >= 0 ? header : local);
        for (size_t i = 0; i < values.size(); ++i)
            put(m_records, values[i], size(fields[i].second), bigEndian);
        m_records += QByteArray(developerBytes, '\x5a');
        return *this;
    }
    // Closes the current file (what follows is a chained one) and gives all files so far.
    QByteArray endFile() {
        QByteArray file("\x0e\x20\x52\x08", 4); // header size, protocol and profile versions
        put(file, m_records.size(), 4, false);
        file += ".FIT";
        put(file, crc(file), 2, false);
        file += m_records;
        put(file, crc(file), 2, false);
        m_records.clear();
        return m_done += file;
    }

  private:
    void bytes(std::initializer_list<int> list) {
        for (int b : list)
            m_records += char(b);
    }
    static quint16 crc(const QByteArray& b) {
        return FitFile::crc16(0, reinterpret_cast<const uint8_t*>(b.constData()), size_t(b.size()));
    }
    static void put(QByteArray& to, qint64 value, int size, bool bigEndian) {
        for (int i = 0; i < size; ++i)
            to += char(value >> (8 * (bigEndian ? size - 1 - i : i)));
    }

    std::map<int, std::tuple<std::vector<Field>, bool, int>> m_types; // fields, big-endian, developer bytes
    QByteArray m_records, m_done;
};
