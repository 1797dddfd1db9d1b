#include "oldruntime/DateFormat.h"

#include <QDate>
#include <QTime>
#include <algorithm>
#include <vector>

namespace kwemo {

DateFormatLocale DateFormatLocale::english() {
  return DateFormatLocale{
      {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
      {"January", "February", "March", "April", "May", "June", "July", "August", "September",
       "October", "November", "December"},
      {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
      {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
      "AM",
      "PM"};
}

DateFormatLocale DateFormatLocale::fromLocale(const QLocale& locale) {
  if (locale.language() == QLocale::C) return english();
  DateFormatLocale names;
  for (int i = 0; i < 12; ++i) {
    names.shortMonths[i] = locale.monthName(i + 1, QLocale::ShortFormat);
    names.longMonths[i] = locale.monthName(i + 1, QLocale::LongFormat);
  }
  for (int i = 0; i < 7; ++i) {
    // QLocale counts Monday = 1 ... Sunday = 7; index 0 here is Sunday.
    const int qtDay = i == 0 ? 7 : i;
    names.shortDays[i] = locale.dayName(qtDay, QLocale::ShortFormat);
    names.longDays[i] = locale.dayName(qtDay, QLocale::LongFormat);
  }
  names.am = locale.amText();
  names.pm = locale.pmText();
  return names;
}

DateFormatLocale DateFormatLocale::system() { return fromLocale(QLocale::system()); }

namespace {

enum class Code {
  Literal,  // pattern text [start, start + length)
  DateSeparator,
  TimeSeparator,
  Day,
  Day2,
  DayShortName,
  DayLongName,
  ShortDate,
  LongDate,
  Month,
  Month2,
  MonthShortName,
  MonthLongName,
  DayOfYear,
  Year2,
  Year4,
  Hour,
  Hour2,
  Minute,
  Minute2,
  Second,
  Second2,
  Weekday,
  Week,
  Quarter,
  GeneralDate,
  LongTime,
  AmPmUpper,  // AM/PM
  AmPmLower,  // am/pm
  APUpper,    // A/P
  APLower,    // a/p
  AmPmLocale  // AMPM
};

struct Token {
  Code code;
  qsizetype start = 0;
  qsizetype length = 0;
  bool twelveHour = false;  // hours only
};

char16_t folded(QChar c) {
  const char16_t u = c.unicode();
  return (u >= u'A' && u <= u'Z') ? char16_t(u + (u'a' - u'A')) : u;
}

// Splits the first section of the pattern into codes, left to right. Every step consumes at
// least one character and looks ahead a bounded distance (a quoted text is consumed as far as it
// was scanned), so the whole pass is linear in the pattern's length.
std::vector<Token> tokenize(QStringView p) {
  std::vector<Token> tokens;
  const qsizetype n = p.size();
  // An m or mm is minutes only after an hour (a day code in between cancels that) and only once.
  bool seenHours = false;
  bool wroteMinutes = false;
  qsizetype lastHour = -1;

  auto literal = [&](qsizetype start, qsizetype length) {
    if (length > 0) tokens.push_back({Code::Literal, start, length});
  };
  // Counts at most 6 letters (the longest code), so a long run costs no more than its length.
  auto runOf = [&](qsizetype i) {
    const char16_t c = folded(p[i]);
    const qsizetype end = std::min(n, i + 6);
    qsizetype j = i + 1;
    while (j < end && folded(p[j]) == c) ++j;
    return j - i;
  };
  auto switchLastHour = [&] {
    if (lastHour >= 0) tokens[static_cast<size_t>(lastHour)].twelveHour = true;
  };

  qsizetype i = 0;
  while (i < n) {
    const QChar ch = p[i];
    const char16_t c = folded(ch);
    if (c == u';') break;
    if (c == u'\\') {
      qsizetype len = 0;
      if (i + 1 < n) {
        len = (p[i + 1].isHighSurrogate() && i + 2 < n && p[i + 2].isLowSurrogate()) ? 2 : 1;
      }
      literal(i + 1, len);
      i += 1 + len;
      continue;
    }
    if (c == u'"') {
      const qsizetype close = p.indexOf(u'"', i + 1);
      const qsizetype end = close < 0 ? n : close;
      literal(i + 1, end - i - 1);
      i = close < 0 ? n : close + 1;
      continue;
    }
    if (c == u'/') {
      tokens.push_back({Code::DateSeparator});
      ++i;
      continue;
    }
    if (c == u':') {
      tokens.push_back({Code::TimeSeparator});
      ++i;
      continue;
    }
    if (c == u'a') {
      const QStringView rest = p.mid(i);
      Code code = Code::Literal;
      qsizetype len = 1;
      if (rest.startsWith(u"AM/PM")) {
        code = Code::AmPmUpper;
        len = 5;
      } else if (rest.startsWith(u"am/pm")) {
        code = Code::AmPmLower;
        len = 5;
      } else if (rest.startsWith(u"ampm", Qt::CaseInsensitive)) {
        code = Code::AmPmLocale;
        len = 4;
      } else if (rest.size() >= 3 && rest[1] == u'/' && folded(rest[2]) == u'p') {
        code = ch == u'A' ? Code::APUpper : Code::APLower;
        len = 3;
      }
      if (code == Code::Literal) {
        literal(i, 1);
      } else {
        tokens.push_back({code});
        switchLastHour();
      }
      i += len;
      continue;
    }

    const qsizetype run = runOf(i);
    qsizetype take = 1;
    switch (c) {
      case u'd': {
        static constexpr Code kDays[] = {Code::Day,         Code::Day2,      Code::DayShortName,
                                         Code::DayLongName, Code::ShortDate, Code::LongDate};
        take = std::min<qsizetype>(run, 6);
        tokens.push_back({kDays[take - 1]});
        seenHours = false;
        break;
      }
      case u'm':
        take = std::min<qsizetype>(run, 4);
        if (take == 3) {
          tokens.push_back({Code::MonthShortName});
        } else if (take == 4) {
          tokens.push_back({Code::MonthLongName});
        } else if (seenHours && !wroteMinutes) {
          tokens.push_back({take == 1 ? Code::Minute : Code::Minute2});
          wroteMinutes = true;
        } else {
          tokens.push_back({take == 1 ? Code::Month : Code::Month2});
        }
        break;
      case u'y':
        // "yyy" is "yy" followed by "y".
        take = run >= 4 ? 4 : std::min<qsizetype>(run, 2);
        tokens.push_back({take == 1 ? Code::DayOfYear : take == 2 ? Code::Year2 : Code::Year4});
        break;
      case u'h':
        take = std::min<qsizetype>(run, 2);
        lastHour = static_cast<qsizetype>(tokens.size());
        tokens.push_back({take == 1 ? Code::Hour : Code::Hour2});
        seenHours = true;
        break;
      case u'n':
        take = std::min<qsizetype>(run, 2);
        tokens.push_back({take == 1 ? Code::Minute : Code::Minute2});
        break;
      case u's':
        take = std::min<qsizetype>(run, 2);
        tokens.push_back({take == 1 ? Code::Second : Code::Second2});
        break;
      case u'w':
        take = std::min<qsizetype>(run, 2);
        tokens.push_back({take == 1 ? Code::Weekday : Code::Week});
        break;
      case u'q':
        tokens.push_back({Code::Quarter});
        break;
      case u'c':
        tokens.push_back({Code::GeneralDate});
        break;
      case u't':
        if (run >= 5) {
          take = 5;
          tokens.push_back({Code::LongTime});
        } else {
          take = run;
          literal(i, run);
        }
        break;
      default:
        literal(i, 1);
        break;
    }
    i += take;
  }
  return tokens;
}

// Sunday = 1 ... Saturday = 7.
int weekdayNumber(QDate d) { return d.dayOfWeek() % 7 + 1; }

class Renderer {
 public:
  Renderer(const QDateTime& t, QStringView pattern, const DateFormatLocale& names)
      : date_(t.date()),
        time_(t.time()),
        dayZero_(date_ == QDate(1899, 12, 30)),
        midnight_(time_.hour() == 0 && time_.minute() == 0 && time_.second() == 0),
        pattern_(pattern),
        names_(names) {}

  QString render(const std::vector<Token>& tokens) {
    for (const Token& token : tokens) put(token);
    return out_;
  }

 private:
  void number(int v, int minDigits = 1) {
    char16_t digits[12];
    int count = 0;
    // Widened so that the most negative int has a magnitude too.
    long long magnitude = v < 0 ? -static_cast<long long>(v) : v;
    do {
      digits[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude > 0 || count < minDigits);
    if (v < 0) out_ += u'-';
    while (count > 0) out_ += QChar(digits[--count]);
  }
  void number2(int v) { number(v, 2); }
  int hour12() const { return time_.hour() % 12 == 0 ? 12 : time_.hour() % 12; }
  bool pm() const { return time_.hour() >= 12; }
  const QString& designator() const { return pm() ? names_.pm : names_.am; }
  const QString& dayName(bool longForm) const {
    const auto i = static_cast<size_t>(weekdayNumber(date_) - 1);
    return longForm ? names_.longDays[i] : names_.shortDays[i];
  }
  const QString& monthName(bool longForm) const {
    const auto i = static_cast<size_t>(date_.month() - 1);
    return longForm ? names_.longMonths[i] : names_.shortMonths[i];
  }

  void shortDate() {
    number(date_.month());
    out_ += u'/';
    number(date_.day());
    out_ += u'/';
    number(date_.year());
  }
  void longDate() {
    out_ += dayName(true);
    out_ += u", ";
    out_ += monthName(true);
    out_ += u' ';
    number(date_.day());
    out_ += u", ";
    number(date_.year());
  }
  void longTime() {
    number(hour12());
    out_ += u':';
    number2(time_.minute());
    out_ += u':';
    number2(time_.second());
    out_ += u' ';
    out_ += designator();
  }

  void put(const Token& token) {
    switch (token.code) {
      case Code::Literal:
        out_ += pattern_.mid(token.start, token.length);
        break;
      case Code::DateSeparator:
        out_ += u'/';
        break;
      case Code::TimeSeparator:
        out_ += u':';
        break;
      case Code::Day:
        number(date_.day());
        break;
      case Code::Day2:
        number2(date_.day());
        break;
      case Code::DayShortName:
        out_ += dayName(false);
        break;
      case Code::DayLongName:
        out_ += dayName(true);
        break;
      case Code::ShortDate:
        shortDate();
        break;
      case Code::LongDate:
        longDate();
        break;
      case Code::Month:
        number(date_.month());
        break;
      case Code::Month2:
        number2(date_.month());
        break;
      case Code::MonthShortName:
        out_ += monthName(false);
        break;
      case Code::MonthLongName:
        out_ += monthName(true);
        break;
      case Code::DayOfYear:
        number(date_.dayOfYear());
        break;
      case Code::Year2:
        number2(std::abs(date_.year()) % 100);
        break;
      case Code::Year4:
        number(date_.year());
        break;
      case Code::Hour:
        number(token.twelveHour ? hour12() : time_.hour());
        break;
      case Code::Hour2:
        number2(token.twelveHour ? hour12() : time_.hour());
        break;
      case Code::Minute:
        number(time_.minute());
        break;
      case Code::Minute2:
        number2(time_.minute());
        break;
      case Code::Second:
        number(time_.second());
        break;
      case Code::Second2:
        number2(time_.second());
        break;
      case Code::Weekday:
        number(weekdayNumber(date_));
        break;
      case Code::Week: {
        const int jan1 = weekdayNumber(QDate(date_.year(), 1, 1));
        number((date_.dayOfYear() - 1 + jan1 - 1) / 7 + 1);
        break;
      }
      case Code::Quarter:
        number((date_.month() - 1) / 3 + 1);
        break;
      case Code::GeneralDate:
        // Day zero of the old date type carries a time only; midnight carries a date only.
        if (dayZero_) {
          longTime();
        } else {
          shortDate();
          if (!midnight_) {
            out_ += u' ';
            longTime();
          }
        }
        break;
      case Code::LongTime:
        longTime();
        break;
      case Code::AmPmUpper:
        out_ += pm() ? u"PM" : u"AM";
        break;
      case Code::AmPmLower:
        out_ += pm() ? u"pm" : u"am";
        break;
      case Code::APUpper:
        out_ += pm() ? u'P' : u'A';
        break;
      case Code::APLower:
        out_ += pm() ? u'p' : u'a';
        break;
      case Code::AmPmLocale:
        out_ += designator();
        break;
    }
  }

  QDate date_;
  QTime time_;
  bool dayZero_;
  bool midnight_;  // to the second: fractions are dropped
  QStringView pattern_;
  const DateFormatLocale& names_;
  QString out_;
};

// A whole pattern that names a format stands for that format.
QStringView namedFormat(QStringView pattern) {
  struct Named {
    QStringView name;
    QStringView codes;
  };
  static constexpr Named kNamed[] = {
      {u"general date", u"c"},   {u"long date", u"dddddd"}, {u"medium date", u"dd-mmm-yy"},
      {u"short date", u"ddddd"}, {u"long time", u"ttttt"},  {u"medium time", u"hh:nn AMPM"},
      {u"short time", u"hh:nn"},
  };
  if (pattern.isEmpty()) return u"c";
  for (const Named& named : kNamed) {
    if (pattern.compare(named.name, Qt::CaseInsensitive) == 0) return named.codes;
  }
  return pattern;
}

}  // namespace

QString FormatDate(const QDateTime& t, QStringView pattern, const DateFormatLocale& locale) {
  if (!t.isValid()) return {};
  const QStringView codes = namedFormat(pattern);
  return Renderer(t, codes, locale).render(tokenize(codes));
}

QString FormatDate(const QDateTime& t, QStringView pattern) {
  // The clock formats its text every second; the names are built once per run.
  static const DateFormatLocale names = DateFormatLocale::system();
  return FormatDate(t, pattern, names);
}

}  // namespace kwemo
