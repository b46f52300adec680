#include "BuiltinPages.h"

namespace {

QString page(const QString &title, const QString &body)
{
    return QStringLiteral(
               "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title>"
               "<style>body{font-family:'Noto Sans CJK SC',sans-serif;margin:0;background:#f4f6fa;color:#223}"
               ".box{max-width:640px;margin:12vh auto;padding:32px 40px;background:#fff;border-radius:10px;"
               "box-shadow:0 2px 12px rgba(0,0,0,.08)}h1{font-size:24px;color:#2a5db0;margin-top:0}"
               "li{margin:6px 0}</style></head><body><div class=\"box\">%2</div></body></html>")
        .arg(title.toHtmlEscaped(), body);
}

QString startPage()
{
    return page(QStringLiteral("Vantorel II 起始页"),
                QStringLiteral("<h1>欢迎使用 Vantorel II</h1>"
                               "<ul><li>在地址栏输入网址后按回车即可访问。</li>"
                               "<li>左侧辅助栏的“搜索引擎”页可以把一个关键词同时发给多个搜索引擎。</li>"
                               "<li>“书签管理”页保存常用网址；“自动填表”页把常用文字填入网页。</li>"
                               "<li>“帮助”菜单的“目录”里有完整的使用说明。</li></ul>"));
}

} // namespace

namespace BuiltinPages {

bool isBuiltin(const QString &address)
{
    return address.startsWith(QLatin1String("about:"), Qt::CaseInsensitive)
        && address.compare(QLatin1String("about:blank"), Qt::CaseInsensitive) != 0;
}

QString html(const QString &address)
{
    if (address.compare(QLatin1String(StartAddress), Qt::CaseInsensitive) == 0)
        return startPage();
    const QString name = address.mid(6);
    return page(name, QStringLiteral("<h1>%1</h1><p>这是一个空白的新窗口。在地址栏输入网址后按回车开始浏览。</p>")
                          .arg(name.toHtmlEscaped()));
}

} // namespace BuiltinPages
