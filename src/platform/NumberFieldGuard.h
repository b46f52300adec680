#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;

// Keeps a field to a whole number without a leading zero, as it is typed: any
// other text empties the field at once, and report is told why.
class NumberFieldGuard : public QObject
{
    Q_OBJECT
public:
    struct Rules {
        int maxLength;
        double maxValue; // 0: no limit beyond the length
        QString tooBig;  // said for too many digits or too large a value
    };

    NumberFieldGuard(QLineEdit *field, Rules rules, std::function<void(const QString &)> report);

    // What is wrong with text, in the order the checks run; empty when nothing is.
    static QString problem(const QString &text, const Rules &rules);

private:
    void check();

    QLineEdit *m_field;
    Rules m_rules;
    std::function<void(const QString &)> m_report;
    bool m_clearing = false;
};
