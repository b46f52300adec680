#pragma once

#include <QString>

// What a document window showed: enough to open it again.
struct PageEntry {
    QString address;
    QString title;

    bool operator==(const PageEntry &) const = default;
};
