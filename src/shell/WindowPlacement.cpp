#include "WindowPlacement.h"

#include "core/SettingsStore.h"
#include "core/Twips.h"

#include <QWidget>

namespace {

const SettingKey *const Keys[] = {&SettingKeys::MainLeft, &SettingKeys::MainTop, &SettingKeys::MainWidth,
                                  &SettingKeys::MainHeight};

} // namespace

void WindowPlacement::restore(QWidget &window)
{
    for (int i = 0; i < 4; ++i)
        m_twips[i] = m_settings.number(*Keys[i]);
    m_applied = QRect(int(m_twips[0] / Twips), int(m_twips[1] / Twips), int(m_twips[2] / Twips),
                      int(m_twips[3] / Twips));
    window.move(m_applied.topLeft());
    window.resize(m_applied.size());
}

void WindowPlacement::save(const QWidget &window) const
{
    // Pixels are coarser than twips: an unmoved window keeps the twips it was given.
    const QRect now(window.pos(), window.size());
    const std::array<double, 4> twips =
        now == m_applied ? m_twips
                         : std::array<double, 4>{double(now.x() * Twips), double(now.y() * Twips),
                                                 double(now.width() * Twips), double(now.height() * Twips)};
    for (int i = 0; i < 4; ++i)
        m_settings.save(*Keys[i], QString::number(float(twips[i])));
}
