#pragma once

#include <QObject>
#include <QRect>
#include <QString>

#include <array>

class QWidget;
class RunningSettings;

// The main window's place and size, frame included, kept in twips in the settings.
class WindowPlacement : public QObject
{
    Q_OBJECT
public:
    explicit WindowPlacement(RunningSettings &settings) : m_settings(settings) {}

    void restore(QWidget &window);
    // False at the first value that could not be stored, error (when given) naming the file and the reason.
    bool save(const QWidget &window, QString *error = nullptr) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    RunningSettings &m_settings;
    std::array<double, 4> m_twips{};
    // The frame's place and size.
    QRect m_applied;
};
