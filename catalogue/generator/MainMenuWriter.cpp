#include "MainMenuWriter.h"

#include "Html.h"

#include <QVector>

namespace {

struct MenuCommand
{
    const char* word;
    const char* caption;
};

// The page shows its groups in two columns so that it fits the main window unscrolled.
enum Column
{
    LeftColumn,
    RightColumn
};

struct MenuGroup
{
    Column column;
    const char* title;
    QVector<MenuCommand> commands;
};

const QVector<MenuGroup>& menuGroups()
{
    static const QVector<MenuGroup> groups = {
        {LeftColumn,
         "フェイスシート",
         {{"FACE_NEW", "新しいフェイスシート"}, {"FACE_EDIT", "フェイスシートの修正・参照"}}},
        {LeftColumn,
         "アセスメント",
         {{"ASS_NEW", "新しいアセスメント"}, {"ASS_EDIT", "アセスメントの修正・参照"}}},
        {LeftColumn,
         "RAPサマリー",
         {{"SAM_NEW", "RAPの選定と新しいRAPサマリー"}, {"SAM_EDIT", "RAPサマリーの修正・参照"}}},
        {LeftColumn,
         "薬物治療調査票",
         {{"DRAG_NEW", "新しい薬物治療調査票"}, {"DRAG_EDIT", "薬物治療調査票の修正・参照"}}},
        {RightColumn,
         "印刷",
         {{"FACE_PRINT", "フェイスシート"},
          {"ASS_PRINT", "アセスメント表"},
          {"SAM_PRINT", "RAPサマリー"},
          {"DRAG_PRINT", "薬物治療調査票"},
          {"RAP_PRINT", "RAP選定表"},
          {"RAPL_PRINT", "RAP一覧表"},
          {"KENTO_PRINT", "RAP検討用紙（RTFファイル）"}}},
        {RightColumn, "白紙の様式", {{"PDF_PRINT", "白紙の様式を開く"}}},
        {RightColumn, "終了", {{"QUIT", "終了"}}},
    };
    return groups;
}

const char StyleSheet[] =
    "body { font-family: \"Noto Sans CJK JP\", \"Noto Sans JP\", sans-serif; font-size: 14px;\n"
    "       margin: 12px 20px; color: #000; background: #f4f6f8; }\n"
    "h1 { font-size: 20px; margin: 0 0 10px 0; padding-bottom: 4px; border-bottom: 2px solid "
    "#345; }\n"
    "div.columns { display: grid; grid-template-columns: 1fr 1fr; column-gap: 14px; "
    "align-items: start; }\n"
    "@media (max-width: 480px) { div.columns { grid-template-columns: 1fr; } }\n"
    "div.group { margin: 0 0 10px 0; padding: 6px 10px; background: #fff; "
    "border: 1px solid #9aa; }\n"
    "h2 { font-size: 15px; margin: 0 0 4px 0; }\n"
    "div.group input { display: block; box-sizing: border-box; width: 100%; margin: 4px 0; "
    "padding: 4px 6px; font-size: 14px; text-align: left; font-family: inherit; }\n"
    "input:focus { outline: 3px solid #e80; }\n";

QString groupHtml(const MenuGroup& group)
{
    QString html = QStringLiteral("<div class=\"group\">\n<h2>%1</h2>\n")
                       .arg(Html::escape(QString::fromUtf8(group.title)));
    for (const MenuCommand& command : group.commands) {
        const QString word = QString::fromLatin1(command.word);
        html += Html::commandButton(QStringLiteral("cmd") + word,
                                    QString::fromUtf8(command.caption), QLatin1Char('?') + word) +
                QLatin1Char('\n');
    }
    return html + QStringLiteral("</div>\n");
}

} // namespace

MainMenuWriter::MainMenuWriter(const QString& applicationTitle) : m_title(applicationTitle) {}

QString MainMenuWriter::page() const
{
    QString html = Html::pageHead(m_title, QString::fromUtf8(StyleSheet));
    html += QStringLiteral("<form name=\"frmMainMenu\" action=\"about:blank\" "
                           "onsubmit=\"return false;\">\n");
    html += QStringLiteral("<h1>%1</h1>\n").arg(Html::escape(m_title));
    html += QStringLiteral("<div class=\"columns\">\n");
    for (const Column column : {LeftColumn, RightColumn}) {
        html += QStringLiteral("<div class=\"column\">\n");
        for (const MenuGroup& group : menuGroups()) {
            if (group.column == column)
                html += groupHtml(group);
        }
        html += QStringLiteral("</div>\n");
    }
    html += QStringLiteral("</div>\n");
    html += QStringLiteral("</form>\n");
    html += Html::pageTail();
    return html;
}
