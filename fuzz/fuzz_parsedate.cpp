// ParseDate on any text: it splits at the first comma, or throws when there is none or
// nothing follows it; the weekday part is the text before the first comma.
#include "CLibrary.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzzText(data, size);
    QString day, date;
    try {
        CLibrary::ParseDate(text, day, date);
    } catch (const DbError&) {
        // Refused only without a comma, or with nothing after it.
        const qsizetype comma = text.indexOf(QLatin1Char(','));
        FUZZ_CHECK(comma < 0 || comma == text.size() - 1, "refused although it has a comma: '%s'",
                   qPrintable(text));
        return 0;
    }
    FUZZ_CHECK(text.contains(QLatin1Char(',')), "accepted without a comma: '%s'", qPrintable(text));
    FUZZ_CHECK(!day.contains(QLatin1Char(',')), "weekday holds a comma: '%s'", qPrintable(text));
    return 0;
}
