#pragma once

#include <QRect>

#include <array>

class QWidget;
class SettingsStore;

// The main window's place and size, kept in twips in the settings.
class WindowPlacement
{
public:
    explicit WindowPlacement(SettingsStore &settings) : m_settings(settings) {}

    void restore(QWidget &window);
    void save(const QWidget &window) const;

private:
    SettingsStore &m_settings;
    std::array<double, 4> m_twips{};
    QRect m_applied;
};
