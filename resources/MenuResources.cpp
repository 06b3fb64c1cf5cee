#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "resources/UnknownResource.h"

namespace resources {

const MenuResource& LoadMenu(unsigned id) {
    static const MenuResource empty;
    static const MenuResource mainMenu{
        {QStringLiteral("ﾒｲﾝ(&M)"),
         {{ID_FOLDER_UP, QStringLiteral("１つ上のﾌｫﾙﾀﾞへ移動(&U)")},
          {0, {}},
          {ID_DELETE_ITEMS, QStringLiteral("削除(&D)")},
          {0, {}},
          {ID_APP_EXIT, QStringLiteral("Vornの終了(&X)")}}},
        {QStringLiteral("表示(&V)"),
         {{ID_VIEW_TOOLBAR, QStringLiteral("ﾂｰﾙ ﾊﾞｰ(&T)")},
          {ID_VIEW_STATUS_BAR, QStringLiteral("ｽﾃｰﾀｽ ﾊﾞｰ(&S)")},
          {0, {}},
          {ID_REFRESH_DRIVES, QStringLiteral("ﾄﾞﾗｲﾌﾞを更新(&D)")},
          {ID_REFRESH_CURRENT, QStringLiteral("ｶﾚﾝﾄの情報を更新(&C)")}}},
        {QStringLiteral("ﾍﾙﾌﾟ(&H)"), {{ID_APP_ABOUT, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)...")}}},
    };
    if (id != IDR_MAINFRAME) {
        ReportUnknownResource("menu", id);
        return empty;
    }
    return mainMenu;
}

const std::vector<unsigned>& LoadToolBar(unsigned id) {
    static const std::vector<unsigned> empty;
    static const std::vector<unsigned> mainToolBar{
        ID_REFRESH_DRIVES, ID_REFRESH_CURRENT, 0, ID_FOLDER_UP, 0, ID_DELETE_ITEMS, 0, ID_APP_ABOUT,
    };
    if (id != IDR_MAINFRAME) {
        ReportUnknownResource("toolbar", id);
        return empty;
    }
    return mainToolBar;
}

} // namespace resources
