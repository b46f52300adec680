#include "WindowPlacement.h"

#include "core/RunningSettings.h"
#include "core/SettingKeys.h"
#include "core/Twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace {

const SettingKey *const Keys[] = {&SettingKeys::MainLeft, &SettingKeys::MainTop, &SettingKeys::MainWidth,
                                  &SettingKeys::MainHeight};

QRect frameRect(const QWidget &window) { return QRect(window.pos(), window.frameGeometry().size()); }

std::array<double, 4> twipsOf(const QRect &rect)
{
    return {double(rect.x() * Twips), double(rect.y() * Twips), double(rect.width() * Twips),
            double(rect.height() * Twips)};
}

bool anyStored(const RunningSettings &settings)
{
    return std::any_of(std::begin(Keys), std::end(Keys),
                       [&](const SettingKey *key) { return settings.contains(*key); });
}

// A first start fills most of the screen, so that toolbars and the document's buttons show whole.
QRect fittedToScreen()
{
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    return QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, available.size() * 0.85, available);
}

} // namespace

void WindowPlacement::restore(QWidget &window)
{
    if (anyStored(m_settings)) {
        for (int i = 0; i < 4; ++i)
            m_twips[i] = m_settings.numberOrDefault(*Keys[i]);
        m_applied = QRect(int(m_twips[0] / Twips), int(m_twips[1] / Twips), int(m_twips[2] / Twips),
                          int(m_twips[3] / Twips));
    } else {
        m_applied = fittedToScreen();
        m_twips = twipsOf(m_applied);
    }
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

bool WindowPlacement::save(const QWidget &window, QString *error) const
{
    // Pixels are coarser than twips: an unmoved window keeps the twips it was given.
    const QRect now = frameRect(window);
    const std::array<double, 4> twips = now == m_applied ? m_twips : twipsOf(now);
    for (int i = 0; i < 4; ++i)
        if (!m_settings.setNumber(*Keys[i], qRound(twips[i]), error))
            return false;
    return true;
}
