#pragma once

#include <QDialog>
#include <QStringList>

#include "document/AppContext.h"

class QCheckBox;
class QLabel;

// Tip of the day: one random line of TIPOFDAY.TXT.
class frmTip : public QDialog
{
    Q_OBJECT
public:
    explicit frmTip(const AppContext &context, QWidget *parent = nullptr);

    // False unless the tips flag is 1: the dialog is not to be shown at all.
    bool Form_Load();
    // The tips flag: start-up shows the dialog only when it is 1.
    static bool wanted(const AppContext &context);
    bool LoadTips(const QString &path);
    void DisplayCurrentTip();
    void ShowRandomTip();
    QString tipText() const;
    int currentTip() const { return m_currentTip; }

    QLabel *lblTipText;
    QCheckBox *chkLoadTipsAtStartup;

private:
    void chkLoadTipsAtStartup_Click();

    AppContext m_context;
    QStringList m_tips;
    int m_currentTip = 0;
};
