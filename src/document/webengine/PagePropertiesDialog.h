#pragma once

#include <QDateTime>
#include <QDialog>

struct PageProperties {
    QString title;
    QString address;
    QString type;
    QString encoding;
    QDateTime modified; // invalid when unknown
    qint64 size = -1; // bytes; -1 when unknown
};

// The page's title, address, type, size and last-modified date.
class PagePropertiesDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PagePropertiesDialog(const PageProperties &properties, QWidget *parent = nullptr);
};
