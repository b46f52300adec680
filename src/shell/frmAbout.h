#pragma once

#include <QDialog>

class QLabel;

// The About box: title, version and notices.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(const QString &programFolder, QWidget *parent = nullptr);

    static QString versionText();

    QLabel *lblTitle;
    QLabel *lblVersion;
};
