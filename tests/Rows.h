#pragma once
// A row of a QtTest data table on one line: its name, then its values in the columns' order.
#include <QTest>

namespace quindra::testing {

template <class... Values> void addRow(const char* name, const Values&... values) {
    (QTest::newRow(name) << ... << values);
}

} // namespace quindra::testing
