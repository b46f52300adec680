#pragma once

#include <QByteArray>
#include <QJsonObject>

// message as a real mail reader sees it: Python's email package with its default
// policy. Gives "subject", "body", "from" (display name), "address", "date" (seconds
// since the epoch), "charset" and "defects" (how many it found), or "error".
QJsonObject readMail(const QByteArray &message);
