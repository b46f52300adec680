#include "EngineTree.h"

#include "EngineStore.h"
#include "platform/Images.h"

#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <QScopedValueRollback>

EngineTree::EngineTree(QTreeWidget *tree, const QString &profileFolder, const QString &imagesFolder, QObject *parent)
    : QObject(parent), m_tree(tree), m_profileFolder(profileFolder), m_imagesFolder(imagesFolder)
{
    connect(m_tree, &QTreeWidget::itemChanged, this, &EngineTree::onItemChanged);
}

QTreeWidgetItem *EngineTree::makeNode(const QString &text, const QString &key, const QIcon &icon) const
{
    auto *item = new QTreeWidgetItem(QStringList(text));
    // No auto-tristate: a box never follows its children.
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
    item->setIcon(0, icon);
    if (!key.isEmpty())
        item->setData(0, KeyRole, key);
    return item;
}

void EngineTree::LoadEngine()
{
    const QScopedValueRollback guard(m_applying, true);
    m_tree->clear();
    const QIcon folder = Images::icon(m_imagesFolder, QStringLiteral("folder"));
    const QIcon earth = Images::icon(m_imagesFolder, QStringLiteral("earth"));
    QTreeWidgetItem *root = makeNode(QStringLiteral("所有搜索引擎"), RootKey, folder);
    for (const EngineGroup &group : loadEngineGroups(m_profileFolder)) {
        QTreeWidgetItem *groupNode = makeNode(group.name, group.key, folder);
        root->addChild(groupNode);
        for (const Engine &engine : group.engines) {
            QTreeWidgetItem *engineNode = makeNode(engine.name, QString(), earth);
            engineNode->setData(0, TagRole, engine.tag());
            groupNode->addChild(engineNode);
        }
    }
    m_tree->addTopLevelItem(root);
    root->setExpanded(false);
}

void EngineTree::cmdRefreshEngines_Click()
{
    LoadEngine();
}

void EngineTree::SearchEngine_NodeCheck(QTreeWidgetItem *node)
{
    const QList<QTreeWidgetItem *> all = nodes();
    const qsizetype number = all.indexOf(node);
    if (number < 0)
        return;
    const Qt::CheckState state = node->checkState(0);
    // The engines of a group are the nodes right after it in node order.
    const bool isRoot = number == 0;
    const qsizetype first = isRoot ? 0 : number;
    const qsizetype last = isRoot ? all.size() - 1 : qMin(number + node->childCount(), all.size() - 1);
    // A flag, not a signal blocker: the view and other listeners must still see the changes.
    const QScopedValueRollback guard(m_applying, true);
    for (qsizetype i = first; i <= last; ++i)
        all.at(i)->setCheckState(0, state);
}

void EngineTree::onItemChanged(QTreeWidgetItem *item)
{
    // Only the user's own clicks cascade; the nodes are not editable otherwise.
    if (!m_applying)
        SearchEngine_NodeCheck(item);
}

QStringList EngineTree::tickedTags() const
{
    QStringList tags;
    for (const QTreeWidgetItem *item : nodes()) {
        const QString tag = item->data(0, TagRole).toString();
        if (item->checkState(0) == Qt::Checked && !tag.isEmpty())
            tags.append(tag);
    }
    return tags;
}

QList<QTreeWidgetItem *> EngineTree::nodes() const
{
    QList<QTreeWidgetItem *> list;
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        list.append(*it);
    return list;
}

QTreeWidgetItem *EngineTree::node(int number) const
{
    const QList<QTreeWidgetItem *> all = nodes();
    return number >= 1 && number <= all.size() ? all.at(number - 1) : nullptr;
}

int EngineTree::nodeCount() const
{
    return int(nodes().size());
}
