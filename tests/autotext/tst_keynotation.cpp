#include "autotext/KeyNotation.h"

#include <QKeySequence>
#include <QTest>

namespace {

QString visible(const QString &keyText)
{
    if (keyText == u"\r")
        return QStringLiteral("\\r");
    if (keyText == u"\t")
        return QStringLiteral("\\t");
    if (keyText == u"\b")
        return QStringLiteral("\\b");
    if (keyText.size() == 1 && (keyText[0] < u' ' || keyText[0] == u'\x7f'))
        return QStringLiteral("\\x%1").arg(keyText[0].unicode(), 2, 16, QLatin1Char('0'));
    return keyText;
}

// "text(张三) key(Tab,\t) key(Ctrl+A,a)": the key's name as Qt spells it, so a wrong code shows.
QString render(const QList<KeyStroke> &strokes)
{
    QStringList steps;
    for (const KeyStroke &stroke : strokes) {
        if (!stroke.text.isEmpty()) {
            steps << QStringLiteral("text(%1)").arg(stroke.text);
            continue;
        }
        const QKeyCombination combination(stroke.modifiers, Qt::Key(stroke.key));
        QString key = QKeySequence(combination).toString(QKeySequence::PortableText);
        if (!stroke.keyText.isEmpty())
            key += u',' + visible(stroke.keyText);
        steps << QStringLiteral("key(%1)").arg(key);
    }
    return steps.join(u' ');
}

} // namespace

class tst_KeyNotation : public QObject
{
    Q_OBJECT

private slots:
    void keyNames_data();
    void keyNames();
    void snippets_data();
    void snippets();
    void mistakes_data();
    void mistakes();
};

void tst_KeyNotation::keyNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("strokes");

    const QList<std::pair<const char *, const char *>> names = {
        {"ENTER", "key(Return,\\r)"},
        {"TAB", "key(Tab,\\t)"},
        {"ESC", "key(Esc,\\x1b)"},
        {"ESCAPE", "key(Esc,\\x1b)"},
        {"BACKSPACE", "key(Backspace,\\b)"},
        {"BS", "key(Backspace,\\b)"},
        {"BKSP", "key(Backspace,\\b)"},
        {"DELETE", "key(Del,\\x7f)"},
        {"DEL", "key(Del,\\x7f)"},
        {"INSERT", "key(Ins)"},
        {"INS", "key(Ins)"},
        {"HOME", "key(Home)"},
        {"END", "key(End)"},
        {"PGUP", "key(PgUp)"},
        {"PGDN", "key(PgDown)"},
        {"UP", "key(Up)"},
        {"DOWN", "key(Down)"},
        {"LEFT", "key(Left)"},
        {"RIGHT", "key(Right)"},
        {"CAPSLOCK", "key(CapsLock)"},
        {"NUMLOCK", "key(NumLock)"},
        {"SCROLLLOCK", "key(ScrollLock)"},
        {"PRTSC", "key(Print)"},
        {"BREAK", "key(Pause)"},
        {"HELP", "key(Help)"},
        {"CLEAR", "key(Clear)"},
        {"ADD", "key(Num++,+)"},
        {"SUBTRACT", "key(Num+-,-)"},
        {"MULTIPLY", "key(Num+*,*)"},
        {"DIVIDE", "key(Num+/,/)"},
    };
    for (const auto &[name, strokes] : names) {
        const QString upper = QString::fromLatin1(name);
        QTest::addRow("%s", name) << upper << QString::fromLatin1(strokes);
        QTest::addRow("%s lower", name) << upper.toLower() << QString::fromLatin1(strokes);
        const QString mixed = upper.left(1) + upper.mid(1).toLower();
        QTest::addRow("%s mixed", name) << mixed << QString::fromLatin1(strokes);
    }
    for (int n = 1; n <= 16; ++n) {
        QTest::addRow("F%d", n) << QStringLiteral("F%1").arg(n) << QStringLiteral("key(F%1)").arg(n);
        QTest::addRow("f%d", n) << QStringLiteral("f%1").arg(n) << QStringLiteral("key(F%1)").arg(n);
    }
}

void tst_KeyNotation::keyNames()
{
    QFETCH(QString, name);
    QFETCH(QString, strokes);
    const KeyNotation::Parsed parsed = KeyNotation::parse(u'{' + name + u'}');
    QCOMPARE(parsed.error, QString());
    QCOMPARE(render(parsed.strokes), strokes);
}

void tst_KeyNotation::snippets_data()
{
    QTest::addColumn<QString>("snippet");
    QTest::addColumn<QString>("strokes");

    QTest::newRow("empty") << "" << "";
    QTest::newRow("form filler") << "张三{TAB}zhangsan@example.com{TAB}13800000000~"
                                 << "text(张三) key(Tab,\\t) text(zhangsan@example.com) key(Tab,\\t) "
                                    "text(13800000000) key(Return,\\r)";
    QTest::newRow("Chinese, ASCII, emoji, blanks merge") << "中文 abc 😀👍🏽 ok!" << "text(中文 abc 😀👍🏽 ok!)";
    QTest::newRow("escapes merge with the text") << "1{+}1{~}2" << "text(1+1~2)";
    QTest::newRow("tilde") << "a~~" << "text(a) key(Return,\\r) key(Return,\\r)";

    // Modifiers
    QTest::newRow("shift letter is upper-case text") << "a+bc" << "text(aBc)";
    QTest::newRow("shift upper-case letter") << "+B" << "text(B)";
    QTest::newRow("shift non-ASCII is text") << "+é+中+。" << "text(É中。)";
    QTest::newRow("shift digit") << "+1" << "text(!)";
    QTest::newRow("shift punctuation") << "+;" << "text(:)";
    QTest::newRow("shift on the US keys") << "+(`1234567890-=[]\\;',./)"
                                          << "text(~!@#$%^&*()_+{}|:\"<>?)";
    QTest::newRow("shift on a shifted character") << "+!+{}}" << "text(!})";
    QTest::newRow("ctrl shift digit") << "^+1" << "key(Ctrl+Shift+!,!)";
    QTest::newRow("ctrl letter") << "^a" << "key(Ctrl+A,a)";
    QTest::newRow("ctrl upper-case letter") << "^A" << "key(Ctrl+A,a)";
    QTest::newRow("alt digit") << "%1" << "key(Alt+1,1)";
    QTest::newRow("ctrl shift") << "^+a" << "key(Ctrl+Shift+A,a)";
    QTest::newRow("shift ctrl, either order") << "+^a" << "key(Ctrl+Shift+A,a)";
    QTest::newRow("all three on a key") << "%^+{DEL}" << "key(Ctrl+Alt+Shift+Del,\\x7f)";
    QTest::newRow("alt ctrl delete") << "%^{DEL}" << "key(Ctrl+Alt+Del,\\x7f)";
    QTest::newRow("only the next key") << "^ab" << "key(Ctrl+A,a) text(b)";
    QTest::newRow("shift tab") << "+{TAB}" << "key(Shift+Tab,\\t)";
    QTest::newRow("ctrl enter") << "^~" << "key(Ctrl+Return,\\r)";
    QTest::newRow("ctrl space") << "^ " << "key(Ctrl+Space, )";
    QTest::newRow("ctrl on a keypad key") << "^{ADD}" << "key(Ctrl+Num++,+)";
    QTest::newRow("ctrl on an escape") << "^{+}" << "key(Ctrl++,+)";
    QTest::newRow("shift on an escaped letter") << "+{a}" << "text(A)";

    // Groups
    QTest::newRow("shift group") << "+(ab)c" << "text(ABc)";
    QTest::newRow("ctrl group") << "^(ac)" << "key(Ctrl+A,a) key(Ctrl+C,c)";
    QTest::newRow("group with keys") << "+({TAB}~)" << "key(Shift+Tab,\\t) key(Shift+Return,\\r)";
    QTest::newRow("modifier inside a group adds") << "+(a^b)" << "text(A) key(Ctrl+Shift+B,b)";
    QTest::newRow("nested groups") << "^(a+(b)c)" << "key(Ctrl+A,a) key(Ctrl+Shift+B,b) key(Ctrl+C,c)";
    QTest::newRow("group without modifiers") << "(ab)c" << "text(abc)";
    QTest::newRow("empty group without modifiers") << "a()b" << "text(ab)";

    // Repeats
    QTest::newRow("key repeat") << "{TAB 3}" << "key(Tab,\\t) key(Tab,\\t) key(Tab,\\t)";
    QTest::newRow("key repeat, lower case") << "{left 2}" << "key(Left) key(Left)";
    QTest::newRow("character repeat is text") << "a{- 5}b" << "text(a-----b)";
    QTest::newRow("Chinese repeat") << "{中 3}" << "text(中中中)";
    QTest::newRow("emoji repeat") << "{😀 2}" << "text(😀😀)";
    QTest::newRow("space repeat") << "a{  3}b" << "text(a   b)";
    QTest::newRow("brace repeat") << "{} 2}{{ 2}" << "text(}}{{)";
    QTest::newRow("modified character repeat") << "^{v 2}" << "key(Ctrl+V,v) key(Ctrl+V,v)";
    QTest::newRow("shift letter repeat") << "+{a 3}" << "text(AAA)";
    QTest::newRow("most repeats") << "{x 999}" << QStringLiteral("text(%1)").arg(QString(999, u'x'));
    QTest::newRow("leading zeros") << "{x 007}" << "text(xxxxxxx)";
    QTest::newRow("modifiers on a repeated key") << "+{RIGHT 2}" << "key(Shift+Right) key(Shift+Right)";

    // Every escape, and any single character in braces
    QTest::newRow("escapes") << "{+}{^}{%}{~}{(}{)}{{}{}}{[}{]}" << "text(+^%~(){}[])";
    QTest::newRow("any character") << "{a}{中}{😀}{ }" << "text(a中😀 )";
}

void tst_KeyNotation::snippets()
{
    QFETCH(QString, snippet);
    QFETCH(QString, strokes);
    const KeyNotation::Parsed parsed = KeyNotation::parse(snippet);
    QCOMPARE(parsed.error, QString());
    QCOMPARE(render(parsed.strokes), strokes);
}

void tst_KeyNotation::mistakes_data()
{
    QTest::addColumn<QString>("snippet");
    QTest::addColumn<QString>("error");

    QTest::newRow("unclosed brace") << "张三{TAB}a{TAB" << "第 9 个字符：“{”没有对应的“}”";
    QTest::newRow("unclosed brace at the end") << "ab{" << "第 3 个字符：“{”没有对应的“}”";
    QTest::newRow("brace pair alone") << "{}" << "第 1 个字符：“{}”里没有按键名";
    QTest::newRow("brace pair before a key") << "a{}{TAB}" << "第 2 个字符：“{}”里没有按键名";
    QTest::newRow("brace opened inside a brace") << "{TAB{ENTER}" << "第 1 个字符：“{”没有对应的“}”";
    QTest::newRow("unclosed group") << "ab+(cd" << "第 4 个字符：“(”没有对应的“)”";
    QTest::newRow("unclosed inner group") << "^(a(b)(c" << "第 7 个字符：“(”没有对应的“)”";
    QTest::newRow("unknown key name") << "a{TABB}" << "第 2 个字符：“{TABB}”不是已知的按键名";
    QTest::newRow("F17") << "{F17}" << "第 1 个字符：“{F17}”不是已知的按键名";
    QTest::newRow("F0") << "{F0}" << "第 1 个字符：“{F0}”不是已知的按键名";
    QTest::newRow("F01") << "{F01}" << "第 1 个字符：“{F01}”不是已知的按键名";
    QTest::newRow("F+1") << "{F+1}" << "第 1 个字符：“{F+1}”不是已知的按键名";
    QTest::newRow("unknown name with a count") << "{FOO 2}" << "第 1 个字符：“{FOO 2}”不是已知的按键名";
    QTest::newRow("stray brace") << "ab}" << "第 3 个字符：“}”前面没有对应的“{”";
    QTest::newRow("stray parenthesis") << "a(b))" << "第 5 个字符：“)”前面没有对应的“(”";
    QTest::newRow("repeat zero") << "{TAB 0}" << "第 1 个字符：“{TAB 0}”的重复次数应是 1 到 999";
    QTest::newRow("repeat negative") << "{x -1}" << "第 1 个字符：“{x -1}”的重复次数应是 1 到 999";
    QTest::newRow("repeat letters") << "{TAB x}" << "第 1 个字符：“{TAB x}”的重复次数应是 1 到 999";
    QTest::newRow("repeat missing") << "{TAB }" << "第 1 个字符：“{TAB }”的重复次数应是 1 到 999";
    QTest::newRow("repeat too many") << "{x 1000}" << "第 1 个字符：“{x 1000}”的重复次数应是 1 到 999";
    QTest::newRow("repeat full-width digits") << "{x ３}" << "第 1 个字符：“{x ３}”的重复次数应是 1 到 999";
    QTest::newRow("modifier at the end") << "abc+" << "第 4 个字符：“+”后面没有要按的键";
    QTest::newRow("modifiers at the end") << "abc^%" << "第 4 个字符：“^%”后面没有要按的键";
    QTest::newRow("modifier on an empty group") << "a+()" << "第 2 个字符：“+”后面没有要按的键";
    QTest::newRow("modifier on nested empty groups") << "^(())" << "第 1 个字符：“^”后面没有要按的键";
    QTest::newRow("modifier before a closing parenthesis") << "(a+)" << "第 3 个字符：“+”后面没有要按的键";
    QTest::newRow("Chinese under ctrl") << "^中" << "第 2 个字符：“中”不能和 Ctrl、Alt 一起按";
    QTest::newRow("emoji in an alt group") << "%(a😀)" << "第 4 个字符：“😀”不能和 Ctrl、Alt 一起按";
    QTest::newRow("control character under shift") << "+\t" << "第 2 个字符：控制字符不能和 Shift、Ctrl、Alt 一起按";
    QTest::newRow("emoji count as one character") << "😀👍{X" << "第 3 个字符：“{”没有对应的“}”";
}

void tst_KeyNotation::mistakes()
{
    QFETCH(QString, snippet);
    QFETCH(QString, error);
    const KeyNotation::Parsed parsed = KeyNotation::parse(snippet);
    QCOMPARE(render(parsed.strokes), QString());
    QCOMPARE(parsed.error, error);
}

QTEST_GUILESS_MAIN(tst_KeyNotation)
#include "tst_keynotation.moc"
