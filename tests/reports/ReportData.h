#pragma once

#include "Clock.h"
#include "GuiFixture.h"
#include "SqlScript.h"
#include "TestSupport.h"
#include "TextReport.h"

#include <QDateTime>
#include <ostream>

// The diary of reports/diary.sql (Ann's workouts and races, a few other users' runs) on a
// fixed today, Wednesday 9 December 2026.
class ReportData : public GuiFixture {
  protected:
    void SetUp() override {
        GuiFixture::SetUp();
        Clock::setFixed(QDateTime(QDate(2026, 12, 9), QTime(12, 0)));
        for (const QString& statement :
             sqlStatements(QStringLiteral(TRAINBOOK_TESTS_DIR "/reports/diary.sql")))
            exec(statement);
    }
    void TearDown() override {
        Clock::reset();
        GuiFixture::TearDown();
    }
    TextReport::Result report(const QString& kind, TextReport::Format format, bool miles = true,
                              bool comments = false, const QString& criteria = QString(),
                              const QString& user = QStringLiteral("Ann")) {
        auto conn = db();
        return TextReport::create(*conn, {user, kind, format, miles, comments, criteria});
    }
};
