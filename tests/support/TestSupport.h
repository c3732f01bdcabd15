#pragma once

// Pieces every test program shares, GUI or not.

#include <QString>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

// Readable QString values (and lists of them) in failure output.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// Names each case of a parameterised test after the `name` member of its parameter, so a
// failing case reports under its own name:
//     INSTANTIATE_TEST_SUITE_P(Cases, MyTest, testing::ValuesIn(cases), CaseName());
struct CaseName {
    template <class Param> std::string operator()(const testing::TestParamInfo<Param>& info) const {
        return info.param.name;
    }
};
