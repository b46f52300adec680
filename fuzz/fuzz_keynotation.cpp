// The key notation of auto-text: a snippet is either refused, with the place of the
// mistake, and types nothing; or its strokes, spelt again in the notation, parse to
// the same strokes, and a snippet of plain characters types exactly itself.
#include "FuzzSupport.h"
#include "autotext/KeyNotation.h"

#include <QHash>

#include <algorithm>

namespace {

const QString Special = QStringLiteral("+^%~(){}");

// The name the notation has for each key that is not a character.
const QHash<int, QString> &keyNames()
{
    static const QHash<int, QString> names = [] {
        QHash<int, QString> byKey;
        QStringList all{QStringLiteral("ENTER"), QStringLiteral("TAB"), QStringLiteral("ESC"), QStringLiteral("BACKSPACE"),
                        QStringLiteral("DEL"), QStringLiteral("INS"), QStringLiteral("HOME"), QStringLiteral("END"),
                        QStringLiteral("PGUP"), QStringLiteral("PGDN"), QStringLiteral("UP"), QStringLiteral("DOWN"),
                        QStringLiteral("LEFT"), QStringLiteral("RIGHT"), QStringLiteral("CAPSLOCK"), QStringLiteral("NUMLOCK"),
                        QStringLiteral("SCROLLLOCK"), QStringLiteral("PRTSC"), QStringLiteral("BREAK"), QStringLiteral("HELP"),
                        QStringLiteral("CLEAR"), QStringLiteral("ADD"), QStringLiteral("SUBTRACT"), QStringLiteral("MULTIPLY"),
                        QStringLiteral("DIVIDE")};
        for (int f = 1; f <= 16; ++f)
            all.append(QStringLiteral("F%1").arg(f));
        for (const QString &name : all) {
            const KeyNotation::Parsed parsed = KeyNotation::parse(u'{' + name + u'}');
            Fuzz::require(parsed.error.isEmpty() && parsed.strokes.size() == 1, "every key name is known");
            byKey.insert(parsed.strokes.first().key, name);
        }
        return byKey;
    }();
    return names;
}

QString modifierText(Qt::KeyboardModifiers modifiers)
{
    QString text;
    if (modifiers & Qt::ShiftModifier)
        text += u'+';
    if (modifiers & Qt::ControlModifier)
        text += u'^';
    if (modifiers & Qt::AltModifier)
        text += u'%';
    return text;
}

// A character spelt so that it stands for itself.
QString literal(QChar c)
{
    return Special.contains(c) ? QStringLiteral("{%1}").arg(c) : QString(c);
}

// The strokes in the notation: text as it is, keys by name or by the character they type.
QString spell(const QList<KeyStroke> &strokes)
{
    QString out;
    for (const KeyStroke &stroke : strokes) {
        if (!stroke.text.isEmpty()) {
            for (QChar c : stroke.text)
                out += literal(c);
            continue;
        }
        const QString prefix = modifierText(stroke.modifiers);
        const auto name = keyNames().constFind(stroke.key);
        // The keypad's keys have names; a key of the main keyboard is spelt by what it types.
        const bool isCharacter = !(stroke.modifiers & Qt::KeypadModifier)
                                 && (name == keyNames().cend() || stroke.key < 0x80);
        Fuzz::require(!isCharacter || stroke.keyText.size() == 1, "a character key says what it types");
        out += prefix + (isCharacter ? literal(stroke.keyText.at(0)) : u'{' + *name + u'}');
    }
    return out;
}

bool same(const QList<KeyStroke> &a, const QList<KeyStroke> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].text != b[i].text || a[i].key != b[i].key || a[i].modifiers != b[i].modifiers || a[i].keyText != b[i].keyText)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString snippet = Fuzz::text(Fuzz::bytes(data, size));
    const KeyNotation::Parsed parsed = KeyNotation::parse(snippet);
    if (!parsed.error.isEmpty()) {
        Fuzz::require(parsed.strokes.isEmpty(), "a refused snippet types nothing");
        Fuzz::require(parsed.error.startsWith(QStringLiteral("第 ")), "a refusal says where the mistake is");
        return 0;
    }
    const bool plain = std::none_of(snippet.begin(), snippet.end(), [](QChar c) { return Special.contains(c); });
    if (plain)
        Fuzz::require(snippet.isEmpty() ? parsed.strokes.isEmpty()
                                        : parsed.strokes.size() == 1 && parsed.strokes.first().text == snippet,
                      "plain characters type themselves");
    for (const KeyStroke &stroke : parsed.strokes)
        Fuzz::require(!stroke.text.isEmpty() || (stroke.key != 0 && !(stroke.modifiers & ~(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier))),
                      "a stroke is a text or a key with modifiers");
    const QString spelt = spell(parsed.strokes);
    const KeyNotation::Parsed again = KeyNotation::parse(spelt);
    Fuzz::require(again.error.isEmpty() && same(again.strokes, parsed.strokes), "strokes spelt again type the same");
    return 0;
}
