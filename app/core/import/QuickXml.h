#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

// A pull reader for the plain XML that track files are: UTF-8 text with elements, attributes,
// comments and the five predefined entities and character references. It reads a whole file
// held in memory without making a string per element, several times faster than the general
// reader. Whatever it does not read in full (another encoding, a DOCTYPE, CDATA, processing
// instructions, entities in attributes, anything not well-formed) makes it stop with
// unsupported(), and the caller reads the file with the general reader instead, so the two
// never give different results for one file.
class QuickXml {
  public:
    enum Token { StartElement, EndElement, Finished };

    explicit QuickXml(QByteArrayView data);

    // The next start or end of an element (text and comments are passed over), or Finished at
    // the end of the document or once unsupported().
    Token readNext();
    bool atEnd() const { return m_finished; }
    bool unsupported() const { return m_unsupported; }
    bool hasError() const { return m_unsupported; }

    // The local name (without its namespace prefix) of the element just read is `name`.
    bool isName(const char* name) const;
    // The value of the attribute `name` of the element just started; empty when it has none.
    QByteArrayView attribute(const char* name) const;
    // After a start element: its text to its end element, which is read (as the general
    // reader's readElementText). Child elements are skipped, or with `children` their text is
    // included. The view lives until the next call.
    QByteArrayView readElementText(bool children = false);

  private:
    struct Attribute {
        QByteArrayView name, value;
    };

    Token fail();
    bool skipText();
    bool appendText(QByteArrayView run);
    bool readName(QByteArrayView& name);
    bool readStartTag();
    bool declared(QByteArrayView qualified) const;

    const char* m_p;
    const char* m_end;
    bool m_finished = false;
    bool m_unsupported = false;
    bool m_rootClosed = false;
    bool m_pendingEnd = false; // an empty element <x/> still owes its end
    QByteArrayView m_name;     // local name of the current element
    std::vector<QByteArrayView> m_open;
    std::vector<Attribute> m_attributes;
    std::vector<QByteArrayView> m_prefixes; // namespace prefixes declared by the open elements
    std::vector<size_t> m_prefixCount;      // m_prefixes.size() before each open element
    // Text being gathered by readElementText: at which depth, and whether from children too.
    bool m_collect = false;
    size_t m_collectDepth = 0;
    bool m_collectChildren = false;
    QByteArray m_text;
};
