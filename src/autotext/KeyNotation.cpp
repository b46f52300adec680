#include "KeyNotation.h"

#include "core/ProfileKeys.h"

#include <optional>

using KeyNotation::Parsed;

namespace {

struct NamedKey
{
    const char *name;
    int key;
    const char *text = "";
    bool keypad = false;
};

// The text is what X11 reports for the unmodified key, which pages see as the
// typed character of the key event.
const NamedKey NamedKeys[] = {
    {"ENTER", Qt::Key_Return, "\r"},
    {"TAB", Qt::Key_Tab, "\t"},
    {"ESC", Qt::Key_Escape, "\x1b"},
    {"ESCAPE", Qt::Key_Escape, "\x1b"},
    {"BACKSPACE", Qt::Key_Backspace, "\b"},
    {"BS", Qt::Key_Backspace, "\b"},
    {"BKSP", Qt::Key_Backspace, "\b"},
    {"DELETE", Qt::Key_Delete, "\x7f"},
    {"DEL", Qt::Key_Delete, "\x7f"},
    {"INSERT", Qt::Key_Insert},
    {"INS", Qt::Key_Insert},
    {"HOME", Qt::Key_Home},
    {"END", Qt::Key_End},
    {"PGUP", Qt::Key_PageUp},
    {"PGDN", Qt::Key_PageDown},
    {"UP", Qt::Key_Up},
    {"DOWN", Qt::Key_Down},
    {"LEFT", Qt::Key_Left},
    {"RIGHT", Qt::Key_Right},
    {"CAPSLOCK", Qt::Key_CapsLock},
    {"NUMLOCK", Qt::Key_NumLock},
    {"SCROLLLOCK", Qt::Key_ScrollLock},
    {"PRTSC", Qt::Key_Print},
    {"BREAK", Qt::Key_Pause},
    {"HELP", Qt::Key_Help},
    {"CLEAR", Qt::Key_Clear},
    {"ADD", Qt::Key_Plus, "+", true},
    {"SUBTRACT", Qt::Key_Minus, "-", true},
    {"MULTIPLY", Qt::Key_Asterisk, "*", true},
    {"DIVIDE", Qt::Key_Slash, "/", true},
};

// What a key of a US layout types with Shift held: the notation means that key.
char16_t shifted(char16_t c)
{
    static const QStringView plain = u"`1234567890-=[]\\;',./";
    static const QStringView withShift = u"~!@#$%^&*()_+{}|:\"<>?";
    const qsizetype at = plain.indexOf(QChar(c));
    return at >= 0 ? withShift[at].unicode() : char16_t(QChar::toUpper(char32_t(c)));
}

// 1 to 999 in ASCII digits; 0 for anything else. Digits only, unlike a stored count:
// "{F+1}" is no key, and a count past 999 is a mistake, not 999.
int smallNumber(QStringView digits)
{
    const int number = ProfileKeys::digitsValue(digits).value_or(0);
    return number <= 999 ? number : 0;
}

std::optional<NamedKey> namedKey(QStringView name)
{
    for (const NamedKey &named : NamedKeys) {
        if (name.compare(QLatin1StringView(named.name), Qt::CaseInsensitive) == 0)
            return named;
    }
    if (name.size() < 2 || name.size() > 3 || (name[0] != u'F' && name[0] != u'f') || name[1] == u'0')
        return std::nullopt;
    const int number = smallNumber(name.sliced(1));
    if (number < 1 || number > 16)
        return std::nullopt;
    return NamedKey{"", Qt::Key_F1 + number - 1};
}

Qt::KeyboardModifiers modifierOf(QChar c)
{
    switch (c.unicode()) {
    case u'+':
        return Qt::ShiftModifier;
    case u'^':
        return Qt::ControlModifier;
    case u'%':
        return Qt::AltModifier;
    default:
        return Qt::NoModifier;
    }
}

struct Group
{
    Qt::KeyboardModifiers modifiers; // in force for every key inside
    qsizetype open;                  // where its "(" is
    qsizetype modifiersAt;           // where the modifiers written before it start; -1 when none
    qsizetype stepsBefore;           // steps typed before it opened
};

class Parser
{
public:
    explicit Parser(const QString &snippet) : s(snippet) {}

    Parsed run()
    {
        if (!parse())
            return {{}, error};
        return {strokes, {}};
    }

private:
    bool parse()
    {
        QList<Group> groups;
        Qt::KeyboardModifiers pending;
        qsizetype pendingAt = -1;
        qsizetype i = 0;
        while (i < s.size()) {
            const QChar c = s[i];
            if (const Qt::KeyboardModifiers modifier = modifierOf(c)) {
                if (pendingAt < 0)
                    pendingAt = i;
                pending |= modifier;
                ++i;
                continue;
            }
            const Qt::KeyboardModifiers modifiers = (groups.isEmpty() ? Qt::NoModifier : groups.last().modifiers) | pending;
            qsizetype next = i + 1;
            if (c == u'(') {
                groups.append({modifiers, i, pendingAt, steps});
            } else if (c == u')') {
                if (pendingAt >= 0)
                    return nothingAfter(pendingAt);
                if (groups.isEmpty())
                    return fail(i, QStringLiteral("“)”前面没有对应的“(”"));
                const Group group = groups.takeLast();
                if (group.modifiersAt >= 0 && steps == group.stepsBefore)
                    return nothingAfter(group.modifiersAt);
            } else if (c == u'}') {
                return fail(i, QStringLiteral("“}”前面没有对应的“{”"));
            } else if (c == u'{') {
                next = brace(i, modifiers);
                if (next < 0)
                    return false;
            } else if (c == u'~') {
                press(Qt::Key_Return, QStringLiteral("\r"), modifiers, 1);
            } else {
                next = i + characterLength(i);
                if (!type(i, next - i, modifiers, 1))
                    return false;
            }
            pending = {};
            pendingAt = -1;
            i = next;
        }
        if (pendingAt >= 0)
            return nothingAfter(pendingAt);
        if (!groups.isEmpty())
            return fail(groups.last().open, QStringLiteral("“(”没有对应的“)”"));
        return true;
    }

    // {NAME}, {x} or either with a count; returns where the next step starts, -1 on a mistake.
    qsizetype brace(qsizetype open, Qt::KeyboardModifiers modifiers)
    {
        const qsizetype from = open + 1;
        if (from >= s.size())
            return unclosedBrace(open);
        // The first character is always the content, so "{}}" and "{{}" spell braces.
        const qsizetype first = characterLength(from);
        qsizetype close = from + first;
        while (close < s.size() && s[close] != u'}' && s[close] != u'{')
            ++close;
        if (close >= s.size() || s[close] != u'}')
            return s[from] == u'}' ? emptyName(open) : unclosedBrace(open);
        const QStringView body = QStringView(s).sliced(from, close - from);
        const QStringView piece = QStringView(s).sliced(open, close + 1 - open);
        const qsizetype space = body.indexOf(u' ', first);
        const QStringView name = space < 0 ? body : body.first(space);

        std::optional<NamedKey> named;
        if (name.size() != first) {
            named = namedKey(name);
            if (!named) {
                fail(open, QStringLiteral("“%1”不是已知的按键名").arg(piece));
                return -1;
            }
        }
        int count = 1;
        if (space >= 0) {
            count = smallNumber(body.sliced(space + 1));
            if (count == 0) {
                fail(open, QStringLiteral("“%1”的重复次数应是 1 到 999").arg(piece));
                return -1;
            }
        }
        if (!named)
            return type(from, first, modifiers, count) ? close + 1 : -1;
        if (named->keypad)
            modifiers |= Qt::KeypadModifier;
        press(named->key, QString::fromLatin1(named->text), modifiers, count);
        return close + 1;
    }

    // The character at s[at], length code units long.
    bool type(qsizetype at, qsizetype length, Qt::KeyboardModifiers modifiers, int count)
    {
        const QStringView character = QStringView(s).sliced(at, length);
        if (modifiers == Qt::NoModifier) {
            typeText(character, count);
            return true;
        }
        const char32_t code = length == 2 ? QChar::surrogateToUcs4(s[at], s[at + 1]) : s[at].unicode();
        // Shift has no key to press for these, and typing them as text is what Shift would give.
        if (modifiers == Qt::ShiftModifier && code > 0x7f) {
            typeText(character.toString().toUpper(), count);
            return true;
        }
        if (code > 0x7f)
            return fail(at, QStringLiteral("“%1”不能和 Ctrl、Alt 一起按").arg(character));
        if (code < 0x20 || code == 0x7f)
            return fail(at, QStringLiteral("控制字符不能和 Shift、Ctrl、Alt 一起按"));
        if (modifiers == Qt::ShiftModifier) {
            typeText(QString(QChar(shifted(char16_t(code)))), count);
            return true;
        }
        // Qt::Key codes of printable ASCII are the characters, letters in upper case;
        // a keyboard reports a shifted key by what it types.
        const char16_t key = modifiers & Qt::ShiftModifier ? shifted(char16_t(code)) : char16_t(code);
        press(int(QChar::toUpper(key)), QString(QChar(char16_t(QChar::toLower(key)))), modifiers, count);
        return true;
    }

    void typeText(QStringView text, int count)
    {
        if (strokes.isEmpty() || strokes.last().text.isEmpty())
            strokes.append(KeyStroke());
        QString &run = strokes.last().text;
        for (int n = 0; n < count; ++n)
            run += text;
        ++steps;
    }

    void press(int key, const QString &keyText, Qt::KeyboardModifiers modifiers, int count)
    {
        for (int n = 0; n < count; ++n)
            strokes.append({QString(), key, modifiers, keyText});
        ++steps;
    }

    qsizetype characterLength(qsizetype at) const
    {
        return s[at].isHighSurrogate() && at + 1 < s.size() && s[at + 1].isLowSurrogate() ? 2 : 1;
    }

    bool nothingAfter(qsizetype at)
    {
        qsizetype end = at;
        while (end < s.size() && modifierOf(s[end]))
            ++end;
        return fail(at, QStringLiteral("“%1”后面没有要按的键").arg(QStringView(s).sliced(at, end - at)));
    }

    qsizetype unclosedBrace(qsizetype open)
    {
        fail(open, QStringLiteral("“{”没有对应的“}”"));
        return -1;
    }

    // "{}" with no "}" after it to make it the brace character.
    qsizetype emptyName(qsizetype open)
    {
        fail(open, QStringLiteral("“{}”里没有按键名"));
        return -1;
    }

    bool fail(qsizetype at, const QString &message)
    {
        // Counted in characters as the user sees them: a surrogate pair is one.
        qsizetype position = 1;
        for (qsizetype i = 0; i < at; ++i) {
            if (!(s[i].isLowSurrogate() && i > 0 && s[i - 1].isHighSurrogate()))
                ++position;
        }
        error = QStringLiteral("第 %1 个字符：").arg(position) + message;
        return false;
    }

    const QString &s;
    QList<KeyStroke> strokes;
    qsizetype steps = 0; // keys and characters typed, however merged
    QString error;
};

} // namespace

namespace KeyNotation {

Parsed parse(const QString &snippet)
{
    return Parser(snippet).run();
}

} // namespace KeyNotation
