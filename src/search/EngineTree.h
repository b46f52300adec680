#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QTreeWidget;
class QTreeWidgetItem;

// Fills the side panel's engine tree from the profile files and keeps the
// check boxes of a group in step with its engines.
class EngineTree : public QObject
{
    Q_OBJECT
public:
    static constexpr int TagRole = Qt::UserRole;
    static constexpr int KeyRole = Qt::UserRole + 1;
    static inline const QString RootKey = QStringLiteral("VantorelSearchEnginesList");

    // The engine files are read from profileFolder, the pictures from imagesFolder.
    EngineTree(QTreeWidget *tree, const QString &profileFolder, const QString &imagesFolder, QObject *parent = nullptr);

    // Rebuilds the tree whole: every box clear, the root collapsed.
    void LoadEngine();
    // Applies node's current state to the nodes it stands for, by node order.
    void SearchEngine_NodeCheck(QTreeWidgetItem *node);
    void cmdRefreshEngines_Click();

    // Tags of the ticked engines, in node order.
    QStringList tickedTags() const;
    // Node order counts from 1: the root, then each group followed by its engines.
    QTreeWidgetItem *node(int number) const;
    int nodeCount() const;

private:
    QList<QTreeWidgetItem *> nodes() const;
    QTreeWidgetItem *makeNode(const QString &text, const QString &key, const QIcon &icon) const;
    void onItemChanged(QTreeWidgetItem *item);

    QTreeWidget *m_tree;
    QString m_profileFolder;
    QString m_imagesFolder;
    bool m_applying = false;
};
