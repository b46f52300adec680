#pragma once

#include <QString>

// Pages of our own for "about:" addresses other than about:blank, and the start page.
namespace BuiltinPages {

constexpr auto StartAddress = "about:home";

// True for addresses we answer ourselves instead of the engine.
bool isBuiltin(const QString &address);
QString html(const QString &address);

} // namespace BuiltinPages
