#pragma once

#include "OpenWindows.h"
#include "document/AppContext.h"
#include "document/Room.h"

#include <QThreadPool>
#include <QTimer>

// The open windows kept in the profile folder while the program runs, and offered back
// at the next start when a run ended without closing (a crash, a kill, a power cut).
class RecoveryRoom : public Room
{
    Q_OBJECT
public:
    explicit RecoveryRoom(const AppContext &context, QObject *parent = nullptr);
    ~RecoveryRoom() override;

    void install(const RoomAnchors &where) override;
    void load() override;
    void unload() override;

    static inline const QString Question = QStringLiteral("上次Vantorel没有正常关闭，是否恢复上次打开的窗口？");

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString path() const;
    void changed();
    void save();
    void ask();

    AppContext m_context;
    OpenWindows m_windows;
    QTimer m_saveSoon;
    // One writer, so that the writes land in the order they were made, off the thread of the keys.
    QThreadPool m_writer;
    QWidget *m_window = nullptr;
    QList<PageEntry> m_offered; // held, unwritten over, until the user has answered
    bool m_ended = false;
};
