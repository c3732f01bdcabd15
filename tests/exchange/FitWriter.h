#pragma once

// FIT files written by the tests themselves: definitions of the fields each test needs, data
// messages of raw values in either byte order, developer fields, compressed timestamps, and
// files chained one after another, each with its header and checksums.
#include "FitFile.h"

#include <QByteArray>
#include <map>
#include <vector>

class FitWriter {
  public:
    struct Field {
        int number, size, base;
    };
    enum Base { Enum = 0x00, U8 = 0x02, U16 = 0x84, S32 = 0x85, U32 = 0x86 };

    // `developerBytes` adds one developer field of that many bytes to each message.
    FitWriter& define(int local, int global, std::vector<Field> fields, bool bigEndian = false,
                      int developerBytes = 0) {
        m_records += char(0x40 | (developerBytes ? 0x20 : 0) | local);
        m_records += char(0);
        m_records += char(bigEndian);
        put(global, 2, bigEndian);
        m_records += char(fields.size());
        for (const Field& f : fields)
            for (int b : {f.number, f.size, f.base})
                m_records += char(b);
        if (developerBytes) // one field: number 0, its size, developer 0
            for (int b : {1, 0, developerBytes, 0})
                m_records += char(b);
        m_types[local] = {std::move(fields), bigEndian, developerBytes};
        return *this;
    }
    // `header` in place of the plain one: a compressed timestamp's.
    FitWriter& data(int local, const std::vector<qint64>& values, int header = -1) {
        const Type& t = m_types.at(local);
        m_records += char(header >= 0 ? header : local);
        for (size_t i = 0; i < values.size(); ++i)
            put(values[i], t.fields[i].size, t.bigEndian);
        m_records += QByteArray(t.developerBytes, '\x5a');
        return *this;
    }
    // Closes the current file; what is written next is a chained one.
    FitWriter& endFile() {
        QByteArray file;
        file += char(14);
        file += char(0x20);
        put(2130, 2, false, &file); // the profile's version
        put(m_records.size(), 4, false, &file);
        file += ".FIT";
        put(crc(file), 2, false, &file);
        file += m_records;
        put(crc(file), 2, false, &file);
        m_done += file;
        m_records.clear();
        return *this;
    }
    QByteArray bytes() const { return m_done; }

  private:
    struct Type {
        std::vector<Field> fields;
        bool bigEndian = false;
        int developerBytes = 0;
    };
    static quint16 crc(const QByteArray& b) {
        return FitFile::crc16(0, reinterpret_cast<const uint8_t*>(b.constData()), size_t(b.size()));
    }
    void put(qint64 value, int size, bool bigEndian, QByteArray* to = nullptr) {
        for (int i = 0; i < size; ++i)
            (to ? *to : m_records) += char(value >> (8 * (bigEndian ? size - 1 - i : i)));
    }

    std::map<int, Type> m_types;
    QByteArray m_records, m_done;
};
