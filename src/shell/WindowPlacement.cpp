#include "WindowPlacement.h"

#include "core/SettingsStore.h"
#include "core/Twips.h"

#include <QEvent>
#include <QWidget>

namespace {

const SettingKey *const Keys[] = {&SettingKeys::MainLeft, &SettingKeys::MainTop, &SettingKeys::MainWidth,
                                  &SettingKeys::MainHeight};

QRect frameRect(const QWidget &window) { return QRect(window.pos(), window.frameGeometry().size()); }

} // namespace

void WindowPlacement::restore(QWidget &window)
{
    for (int i = 0; i < 4; ++i)
        m_twips[i] = m_settings.number(*Keys[i]);
    m_applied = QRect(int(m_twips[0] / Twips), int(m_twips[1] / Twips), int(m_twips[2] / Twips),
                      int(m_twips[3] / Twips));
    window.move(m_applied.topLeft());
    // The frame is not known before the window is shown; the inner size gives way to it then.
    window.resize(m_applied.size());
    window.installEventFilter(this);
}

// Once the window system tells the frame, the window shrinks by it, unless it was
// resized in the meantime.
bool WindowPlacement::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show && event->type() != QEvent::Move)
        return false;
    auto *window = static_cast<QWidget *>(watched);
    if (window->size() != m_applied.size()) {
        window->removeEventFilter(this);
        return false;
    }
    const QSize frame = window->frameGeometry().size() - window->size();
    if (!frame.isNull()) {
        window->removeEventFilter(this);
        window->resize(m_applied.size() - frame);
    }
    return false;
}

void WindowPlacement::save(const QWidget &window) const
{
    // Pixels are coarser than twips: an unmoved window keeps the twips it was given.
    const QRect now = frameRect(window);
    const std::array<double, 4> twips =
        now == m_applied ? m_twips
                         : std::array<double, 4>{double(now.x() * Twips), double(now.y() * Twips),
                                                 double(now.width() * Twips), double(now.height() * Twips)};
    for (int i = 0; i < 4; ++i)
        m_settings.save(*Keys[i], QString::number(float(twips[i])));
}
