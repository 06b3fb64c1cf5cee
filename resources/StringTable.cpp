#include <map>

#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "resources/UnknownResource.h"

namespace resources {

QString LoadString(unsigned id) {
    // Prompts: the status-bar text, then after a line break the tooltip.
    static const std::map<unsigned, QString> table{
        {IDS_PROGRESS_CAPTION, VersionCaption()},
        {IDR_MAINFRAME,
         VersionText() + QStringLiteral("\nVorn\n\n\n\nVorn.Document\nVorn Document")},
        {131, QStringLiteral("ツリー用ビットマップ（ ドライブ ）")},
        {132, QStringLiteral("ツリー用ビットマップ（ フォルダ閉 ）")},
        {133, QStringLiteral("ツリー用ビットマップ（ フォルダ開 ）")},
        {134, QStringLiteral("リスト用ビットマップ（ フォルダ 赤 ）")},
        {137, QStringLiteral("リスト用ビットマップ（ フォルダ 黄 ）")},
        {138, QStringLiteral("リスト用ビットマップ（ フォルダ 青 ）")},
        {139, QStringLiteral("リスト用ビットマップ（ フォルダ 緑 ）")},
        {140, QStringLiteral("リスト用ビットマップ（ フォルダ 橙 ）")},
        {141, QStringLiteral("リスト用ビットマップ（ フォルダ 水色 ）")},
        {142, QStringLiteral("リスト用ビットマップ（ フォルダ 紫 ）")},
        {143, QStringLiteral("リスト用ビットマップ（ フォルダ 黄緑 ）")},
        {144, QStringLiteral("リスト用ビットマップ（ フォルダ 茶 ）")},
        {145, QStringLiteral("リスト用ビットマップ（ フォルダ 桃 ）")},
        {146, QStringLiteral("リスト用ビットマップ（ フォルダ 淡黄 ）")},
        {147, QStringLiteral("リスト用ビットマップ（ ファイル 灰 ）")},
        {148, QStringLiteral("リスト用ビットマップ（ フォルダ 白 ）")},
        {149, QStringLiteral("リスト用ビットマップ（ ファイル 白 ）")},
        // The panes as screen readers name them: the name, then after a line break what the
        // pane shows.
        {IDS_TREE_PANE, QStringLiteral("ﾄﾞﾗｲﾌﾞとﾌｫﾙﾀﾞ\n使用可能なﾄﾞﾗｲﾌﾞとそのﾌｫﾙﾀﾞのﾂﾘｰです。"
                                       "選択したﾌｫﾙﾀﾞがｶﾚﾝﾄになります。")},
        {IDS_LIST_PANE, QStringLiteral("ﾌｫﾙﾀﾞ及びﾌｧｲﾙ\nｶﾚﾝﾄのﾌｫﾙﾀﾞ及びﾌｧｲﾙです。ﾌｫﾙﾀﾞが先、"
                                       "ｻｲｽﾞの大きい順に、ｻｲｽﾞ、比率、日付を表示します。")},
        {IDS_DISK_FIGURES_PANE,
         QStringLiteral("ﾃﾞｨｽｸ情報\nﾄﾞﾗｲﾌﾞの全体ｻｲｽﾞと空きｻｲｽﾞ、ｶﾚﾝﾄの合計ｻｲｽﾞ、"
                        "選択したﾌｫﾙﾀﾞ及びﾌｧｲﾙの合計ｻｲｽﾞをﾊﾞｲﾄ単位で表示します。")},
        {IDS_CHART_PANE,
         QStringLiteral("使用量の円ｸﾞﾗﾌ\nｶﾚﾝﾄのｻｲｽﾞの大きい10個のﾌｫﾙﾀﾞ、その他のﾌｫﾙﾀﾞ、"
                        "ﾌｧｲﾙが占める割合です。色は一覧のｱｲｺﾝの色と同じです。")},
        {ID_FOLDER_UP, QStringLiteral("１階層上のﾌｫﾙﾀﾞへ移動します。\n１つ上のﾌｫﾙﾀﾞへ移動")},
        {ID_DELETE_ITEMS, QStringLiteral("ﾌｫﾙﾀﾞ及びﾌｧｲﾙを削除します。\n削除")},
        {ID_REFRESH_CURRENT, QStringLiteral("ｶﾚﾝﾄを最新の情報に更新します。\nｶﾚﾝﾄの情報を更新")},
        {ID_REFRESH_DRIVES, QStringLiteral("使用可能ﾄﾞﾗｲﾌﾞを更新します。\nﾄﾞﾗｲﾌﾞを更新")},
        {AFX_IDS_APP_TITLE, QStringLiteral("Vorn")},
        {AFX_IDS_IDLEMESSAGE, QStringLiteral("ﾚﾃﾞｨ")},
        {ID_APP_ABOUT,
         QStringLiteral("ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示します。\nﾊﾞｰｼﾞｮﾝ情報")},
        {ID_APP_EXIT, QStringLiteral("Vornを終了します。")},
        {59137, QStringLiteral("CAP")},
        {59138, QStringLiteral("NUM")},
        {59139, QStringLiteral("SCRL")},
        {59142, QStringLiteral("ｶﾅ")},
        {ID_VIEW_TOOLBAR,
         QStringLiteral("ﾂｰﾙ ﾊﾞｰの表示/非表示を切り替えます。\nﾂｰﾙ ﾊﾞｰの表示/非表示")},
        {ID_VIEW_STATUS_BAR,
         QStringLiteral("ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示を切り替えます。\nｽﾃｰﾀｽ ﾊﾞｰの表示/非表示")},
        {61184, QStringLiteral("ｳｨﾝﾄﾞｳのｻｲｽﾞを変更")},
        {61185, QStringLiteral("ｳｨﾝﾄﾞｳの位置を変更")},
        {61186, QStringLiteral("ｳｨﾝﾄﾞｳをｱｲｺﾝ化する")},
        {61187, QStringLiteral("ｳｨﾝﾄﾞｳを最大表示にする")},
        {61202, QStringLiteral("ｳｨﾝﾄﾞｳを通常のｻｲｽﾞに戻す")},
    };
    auto found = table.find(id);
    if (found == table.end()) {
        ReportUnknownResource("string", id);
        return {};
    }
    return found->second;
}

} // namespace resources
