#include "script.h"

#include <QHash>
#include <QRegularExpression>
#include <QTest>

namespace Script {

namespace {

using Key = Action::Key;

Action click(Key key, int number = 0, const Statistic *statistic = nullptr)
{
    return {Action::Click, key, number, statistic, Qt::Key_unknown, {}, {}};
}

// A typed key, with the text that QTest gives it unless another is given.
Action typed(Qt::Key code, Qt::KeyboardModifiers modifiers = {}, QString text = QString())
{
    if (text.isEmpty() && QTest::keyToAscii(code))
        text = QLatin1Char(QTest::keyToAscii(code));
    return {Action::Type, Key::Digit, 0, nullptr, code, text, modifiers};
}

const Statistic *statisticOf(const QString &letter)
{
    for (const Statistic &s : statistics) {
        if (letter.size() == 1 && (accessLetter(s.firstKey) == letter[0] || accessLetter(s.secondKey) == letter[0]))
            return &s;
    }
    return nullptr;
}

void parseToken(const QString &token, QList<Action> &actions)
{
    static const QRegularExpression number(QStringLiteral("^[0-9]+$")), thirds(QStringLiteral("^([0-2])/3$")),
        digitKey(QStringLiteral("^(KP|FW)([0-9])$")), alt(QStringLiteral("^A-([A-Z])$")),
        function(QStringLiteral("^(S-|C-)?F([0-9]+)$"));
    static const QHash<QString, Qt::Key> named = {{"BS", Qt::Key_Backspace},
                                                  {"DEL", Qt::Key_Delete},
                                                  {"ESC", Qt::Key_Escape},
                                                  {"RET", Qt::Key_Return},
                                                  {"ENT", Qt::Key_Enter}};
    QRegularExpressionMatch m;
    if (number.match(token).hasMatch()) {
        for (QChar c : token)
            actions << click(Key::Digit, c.unicode() - '0');
    } else if ((m = thirds.match(token)).hasMatch()) {
        actions << click(Key::Thirds, m.captured(1).toInt());
    } else if (token == QLatin1String("C") || token == QLatin1String("AC")) {
        actions << click(token == QLatin1String("C") ? Key::ClearEntry : Key::ClearAll);
    } else if (const Statistic *s = statisticOf(token)) {
        actions << click(Key::Statistic, 0, s);
    } else if (token.startsWith(QLatin1String("p:"))) {
        const qsizetype from = actions.size();
        parseToken(token.mid(2), actions);
        for (qsizetype i = from; i < actions.size(); ++i)
            actions[i].kind = Action::Press;
    } else if (token.startsWith(QLatin1String("t:"))) {
        for (QChar c : token.mid(2))
            actions << typed(QTest::asciiToKey(c.toLatin1()), {}, QString(c));
    } else if (token.startsWith(QLatin1Char('@'))) {
        actions << Action{Action::Focus, Key::Digit, 0, nullptr, Qt::Key_unknown, token.mid(1), {}};
    } else if (named.contains(token)) {
        actions << typed(named.value(token), token == QLatin1String("ENT") ? Qt::KeypadModifier : Qt::NoModifier);
    } else if ((m = digitKey.match(token)).hasMatch()) {
        const int digit = m.captured(2).toInt();
        actions << (m.captured(1) == QLatin1String("KP") ? typed(Qt::Key(Qt::Key_0 + digit), Qt::KeypadModifier)
                                                         : typed(Qt::Key_unknown, {}, QString(QChar(0xFF10 + digit))));
    } else if ((m = alt.match(token)).hasMatch()) {
        actions << typed(Qt::Key(Qt::Key_A + (m.captured(1)[0].unicode() - 'A')), Qt::AltModifier);
    } else if ((m = function.match(token)).hasMatch()) {
        const QString modifier = m.captured(1);
        const Qt::KeyboardModifiers modifiers = modifier.isEmpty() ? Qt::NoModifier
            : modifier[0] == u'S'                                  ? Qt::ShiftModifier
                                                                   : Qt::ControlModifier;
        actions << typed(Qt::Key(Qt::Key_F1 + m.captured(2).toInt() - 1), modifiers);
    } else {
        qFatal("script: unknown token \"%s\"", qPrintable(token));
    }
}

}  // namespace

QList<Action> parse(const QString &script)
{
    QList<Action> actions;
    for (const QString &token : script.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        parseToken(token, actions);
    return actions;
}

QChar accessLetter(const char *caption)
{
    const QString text = QString::fromUtf8(caption);
    const qsizetype mark = text.indexOf(QLatin1Char('&'));
    return mark >= 0 && mark + 1 < text.size() ? text[mark + 1] : QChar();
}

}  // namespace Script
