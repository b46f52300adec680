#include "search/EngineTree.h"

#include "TestApp.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

class tst_EngineTree : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void loadBuildsNodesInOrder();
    void everyNodeHasItsOwnBox();
    void clicks_data();
    void clicks();
    void cascadeIsSeenByOtherListeners();
    void refreshClearsTicksAndCollapses();
    void tickedTagsInTreeOrder();
    void clearedEnginesOfTickedGroupGiveNoTags();
    void tickedRootGivesEveryTag();

private:
    void writeFile(const QString &name, const QString &text);
    // One character per node in node order: 1 ticked, 0 clear.
    QString states() const;
    void click(int number, bool tick);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTreeWidget> m_widget;
    std::unique_ptr<EngineTree> m_tree;
};

void tst_EngineTree::writeFile(const QString &name, const QString &text)
{
    QFile file(m_dir->filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QStringEncoder gbk("GBK");
    QString crlf = text;
    crlf.replace(u'\n', QStringLiteral("\r\n"));
    file.write(gbk.encode(crlf));
}

void tst_EngineTree::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    copyDataFolder(m_dir->path());
    writeFile(QStringLiteral("engines.ini"),
              QStringLiteral("[engines]\nfiles=3\nfile 1=\\a.ini\nfile 2=\\b.ini\nfile 3=\\c.ini\n"));
    writeFile(QStringLiteral("a.ini"), QStringLiteral("[main]\nChineseName=甲组\nEnglishname=a\nNumber=3\nkey={q}\n"
                                                      "[engine]\ne 1=A1,,http://a1/?q={q}\ne 2=A2,,http://a2/{q}/x\n"
                                                      "e 3=A3,,http://a3/?s={q}&t=1\n"));
    writeFile(QStringLiteral("b.ini"), QStringLiteral("[main]\nChineseName=乙组\nEnglishname=b\nNumber=2\nkey=%s\n"
                                                      "[engine]\ne 1=B1,,http://b1/?q=%s\ne 2=B2,,http://b2/?q=%s\n"));
    writeFile(QStringLiteral("c.ini"), QStringLiteral("[main]\nChineseName=丙组\nEnglishname=c\nNumber=0\nkey=%s\n"));
    m_widget = std::make_unique<QTreeWidget>();
    m_widget->setObjectName(QStringLiteral("SearchEngine"));
    m_tree = std::make_unique<EngineTree>(m_widget.get(), m_dir->path(), m_dir->path());
    m_tree->LoadEngine();
}

void tst_EngineTree::cleanup()
{
    m_tree.reset();
    m_widget.reset();
}

QString tst_EngineTree::states() const
{
    QString text;
    for (int n = 1; n <= m_tree->nodeCount(); ++n)
        text += m_tree->node(n)->checkState(0) == Qt::Checked ? u'1' : u'0';
    return text;
}

// What a click on the box does to the item; the tree reports it through itemChanged.
void tst_EngineTree::click(int number, bool tick)
{
    QTreeWidgetItem *item = m_tree->node(number);
    QVERIFY(item);
    item->setCheckState(0, tick ? Qt::Checked : Qt::Unchecked);
}

void tst_EngineTree::loadBuildsNodesInOrder()
{
    const QStringList texts{"所有搜索引擎", "甲组", "A1", "A2", "A3", "乙组", "B1", "B2", "丙组"};
    const QStringList keys{"VantorelSearchEnginesList", "a", "", "", "", "b", "", "", "c"};
    const QStringList tags{"", "", "LX=http://a1/?q=RX=", "LX=http://a2/RX=/x", "LX=http://a3/?s=RX=&t=1",
                           "", "LX=http://b1/?q=RX=", "LX=http://b2/?q=RX=", ""};
    QCOMPARE(m_tree->nodeCount(), texts.size());
    QCOMPARE(m_widget->topLevelItemCount(), 1);
    for (int n = 1; n <= texts.size(); ++n) {
        const QTreeWidgetItem *item = m_tree->node(n);
        QCOMPARE(item->text(0), texts.at(n - 1));
        QCOMPARE(item->data(0, EngineTree::KeyRole).toString(), keys.at(n - 1));
        QCOMPARE(item->data(0, EngineTree::TagRole).toString(), tags.at(n - 1));
        QVERIFY(!item->icon(0).isNull());
    }
    QCOMPARE(m_tree->node(2)->parent(), m_tree->node(1));
    QCOMPARE(m_tree->node(7)->parent(), m_tree->node(6));
    QCOMPARE(m_tree->node(1)->childCount(), 3);
    QVERIFY(!m_tree->node(0));
    QVERIFY(!m_tree->node(texts.size() + 1));
    QCOMPARE(states(), QStringLiteral("000000000"));
    QVERIFY(!m_tree->node(1)->isExpanded());
}

void tst_EngineTree::everyNodeHasItsOwnBox()
{
    for (int n = 1; n <= m_tree->nodeCount(); ++n) {
        const Qt::ItemFlags flags = m_tree->node(n)->flags();
        QVERIFY(flags.testFlag(Qt::ItemIsUserCheckable));
        // A box that followed its children would propagate upwards.
        QVERIFY(!flags.testFlag(Qt::ItemIsAutoTristate));
    }
}

void tst_EngineTree::clicks_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("expected");

    // Nodes: 1 root, 2 group A, 3-5 its engines, 6 group B, 7-8 its engines, 9 empty group C.
    QTest::newRow("root ticks every node") << QStringList{"1+"} << "111111111";
    QTest::newRow("clearing root clears every node") << QStringList{"1+", "1-"} << "000000000";
    QTest::newRow("root clear also clears a mixed tree") << QStringList{"3+", "7+", "1+", "3-", "1-"} << "000000000";
    QTest::newRow("group ticks its engines only") << QStringList{"2+"} << "011110000";
    QTest::newRow("second group ticks its engines only") << QStringList{"6+"} << "000001110";
    QTest::newRow("clearing group clears its engines") << QStringList{"2+", "2-"} << "000000000";
    QTest::newRow("empty group ticks itself only") << QStringList{"9+"} << "000000001";
    QTest::newRow("engine ticks itself only") << QStringList{"4+"} << "000100000";
    QTest::newRow("last engine of a group") << QStringList{"8+"} << "000000010";
    QTest::newRow("all engines do not tick their group") << QStringList{"3+", "4+", "5+"} << "001110000";
    QTest::newRow("all nodes below root do not tick root")
        << QStringList{"2+", "6+", "9+"} << "011111111";
    QTest::newRow("clearing one engine leaves group ticked") << QStringList{"2+", "4-"} << "011010000";
    QTest::newRow("clearing every engine leaves group ticked") << QStringList{"2+", "3-", "4-", "5-"} << "010000000";
    QTest::newRow("clearing a group leaves root ticked") << QStringList{"1+", "6-"} << "111110001";
    QTest::newRow("clearing an engine leaves root ticked") << QStringList{"1+", "3-"} << "110111111";
    QTest::newRow("clearing group clears a mixed group") << QStringList{"3+", "2+", "4-", "2-"} << "000000000";
}

void tst_EngineTree::clicks()
{
    QFETCH(QStringList, clicks);
    for (const QString &c : clicks)
        click(c.chopped(1).toInt(), c.endsWith(u'+'));
    QTEST(states(), "expected");
}

void tst_EngineTree::cascadeIsSeenByOtherListeners()
{
    QSignalSpy spy(m_widget.get(), &QTreeWidget::itemChanged);
    click(2, true);
    QList<QTreeWidgetItem *> changed;
    for (const QList<QVariant> &args : spy)
        changed.append(args.at(0).value<QTreeWidgetItem *>());
    for (int n = 2; n <= 5; ++n)
        QVERIFY(changed.contains(m_tree->node(n)));
    QVERIFY(!changed.contains(m_tree->node(1)));
    QVERIFY(!changed.contains(m_tree->node(6)));
}

void tst_EngineTree::refreshClearsTicksAndCollapses()
{
    QTreeWidgetItem *root = m_tree->node(1);
    root->setExpanded(true);
    QCOMPARE(m_widget->itemBelow(root), m_tree->node(2));
    click(1, true);
    QCOMPARE(states(), QStringLiteral("111111111"));

    m_tree->cmdRefreshEngines_Click();
    QCOMPARE(m_tree->nodeCount(), 9);
    QCOMPARE(states(), QStringLiteral("000000000"));
    root = m_tree->node(1);
    QVERIFY(!root->isExpanded());
    // Only the root is visible.
    QVERIFY(!m_widget->itemBelow(root));
    // Clicks still cascade on the rebuilt tree.
    click(6, true);
    QCOMPARE(states(), QStringLiteral("000001110"));
}

void tst_EngineTree::tickedTagsInTreeOrder()
{
    click(8, true);
    click(3, true);
    click(5, true);
    QCOMPARE(m_tree->tickedTags(), (QStringList{"LX=http://a1/?q=RX=", "LX=http://a3/?s=RX=&t=1", "LX=http://b2/?q=RX="}));
    click(3, false);
    QCOMPARE(m_tree->tickedTags(), (QStringList{"LX=http://a3/?s=RX=&t=1", "LX=http://b2/?q=RX="}));
}

void tst_EngineTree::clearedEnginesOfTickedGroupGiveNoTags()
{
    click(2, true);
    QCOMPARE(m_tree->tickedTags().size(), 3);
    click(3, false);
    click(4, false);
    click(5, false);
    QCOMPARE(m_tree->node(2)->checkState(0), Qt::Checked);
    QVERIFY(m_tree->tickedTags().isEmpty());
}

void tst_EngineTree::tickedRootGivesEveryTag()
{
    QVERIFY(m_tree->tickedTags().isEmpty());
    click(1, true);
    QCOMPARE(m_tree->tickedTags(), (QStringList{"LX=http://a1/?q=RX=", "LX=http://a2/RX=/x", "LX=http://a3/?s=RX=&t=1",
                                                "LX=http://b1/?q=RX=", "LX=http://b2/?q=RX="}));
}

QTEST_MAIN(tst_EngineTree)
#include "tst_enginetree.moc"
