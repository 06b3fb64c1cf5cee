#include <optional>
#include <utility>

#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "resources/UnknownResource.h"

namespace resources {

namespace {

using Item = DialogTemplate::Item;
using Kind = DialogTemplate::Kind;
using Align = DialogTemplate::Align;

// A control of the given kind in its place, with nothing else set.
Item Place(Kind kind, int id, int x, int y, int cx, int cy) {
    return {.id = id, .kind = kind, .x = x, .y = y, .cx = cx, .cy = cy};
}

Item Text(const QString& text, int x, int y, int cx, int cy, int id = -1,
          Align align = Align::Left) {
    Item item = Place(Kind::Static, id, x, y, cx, cy);
    item.text = text;
    item.align = align;
    return item;
}

// A figure box of the disk-figures form: sunken, right-aligned, empty until filled. A screen
// reader says its caption with the figure.
Item Figure(int id, int x, int y, int cx, int cy, const QString& caption) {
    Item item = Text(QString(), x, y, cx, cy, id, Align::Right);
    item.sunken = true;
    item.spokenCaption = caption;
    return item;
}

Item Icon(unsigned icon, int x, int y) {
    Item item = Place(Kind::Icon, -1, x, y, 18, 20);
    item.icon = LoadIcon(icon);
    return item;
}

Item Button(int id, const QString& text, int x, int y, int cx, bool isDefault) {
    Item item = Place(Kind::Button, id, x, y, cx, 14);
    item.text = text;
    item.defaultButton = isDefault;
    return item;
}

Item OkButton(int x, int y, int cx) {
    return Button(1, QStringLiteral("OK"), x, y, cx, true);
}

// The placeholder is replaced by the dialog's name as soon as it opens.
Item NameField(int x, int y, int cx) {
    return Text(QStringLiteral("Name"), x, y, cx, 10, IDC_NAME);
}

DialogTemplate Window(int cx, int cy, const QString& caption, std::vector<Item> items,
                      bool systemMenu = true) {
    return {.cx = cx,
            .cy = cy,
            .caption = caption,
            .fontFace = QStringLiteral("ＭＳ Ｐゴシック"),
            .pointSize = 9,
            .systemMenu = systemMenu,
            .items = std::move(items)};
}

// Made afresh for each dialog: a template holds its icons, which need the application.
std::optional<DialogTemplate> MakeTemplate(unsigned id) {
    const QString version = VersionCaption();
    const QString deleteError = QStringLiteral("削除ｴﾗｰ");
    switch (id) {
    case IDD_ABOUTBOX:
        return Window(
            220, 139, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"),
            {Icon(IDR_MAINFRAME, 30, 10),
             Text(QStringLiteral("ディスク管理支援ツール"), 70, 10, 150, 8),
             Text(QStringLiteral("Vorn  ") + VersionText(), 85, 20, 135, 8),
             Text(QStringLiteral("Copyright (C) the Vorn authors"), 25, 40, 195, 8),
             // The terms of use, one line each.
             Text(QStringLiteral("このソフトウェアは自由に使用、複製、配布できます。"), 25, 60, 195,
                  8),
             Text(QStringLiteral("このソフトウェアは無保証で提供されます。"), 25, 70, 195, 8),
             Text(QStringLiteral("使用によって生じたいかなる損害についても、"), 25, 80, 195, 8),
             Text(QStringLiteral("作者は責任を負いません。"), 25, 90, 195, 8),
             Text(QStringLiteral("削除したﾌｫﾙﾀﾞやﾌｧｲﾙは元に戻せません。"), 25, 100, 195, 8),
             OkButton(95, 120, 32)});

    // No system menu, so no close box: an operation cannot be cancelled.
    case IDD_PROGRESS:
        return Window(174, 38, QString(),
                      {Text(QStringLiteral("検索中です．．．"), 5, 5, 165, 10, IDC_PROGRESS_TEXT,
                            Align::Centre),
                       Place(Kind::ProgressBar, IDC_PROGRESS_BAR, 10, 20, 154, 10)},
                      false);
    case IDD_DISK_FIGURES: {
        const QString diskTotal = QStringLiteral("Disk Total Size");
        const QString diskFree = QStringLiteral("Disk Free Size");
        const QString currentTotal = QStringLiteral("Current Total Size");
        const QString selectedSize = QStringLiteral("Selected Size");
        return DialogTemplate{
            .cx = 87,
            .cy = 107,
            .fontFace = QStringLiteral("ＭＳ Ｐゴシック"),
            .pointSize = 9,
            .child = true,
            .items = {Text(diskTotal, 5, 5, 80, 8), Text(QStringLiteral("Byte"), 70, 15, 22, 8),
                      Text(diskFree, 5, 30, 80, 8), Text(QStringLiteral("Byte"), 70, 40, 22, 8),
                      Text(currentTotal, 5, 55, 80, 8), Text(QStringLiteral("Byte"), 70, 65, 22, 8),
                      Text(selectedSize, 5, 80, 80, 8), Text(QStringLiteral("Byte"), 70, 90, 21, 8),
                      Figure(IDC_DISK_TOTAL, 15, 15, 50, 12, diskTotal),
                      Figure(IDC_DISK_FREE, 15, 40, 50, 12, diskFree),
                      Figure(IDC_CURRENT_TOTAL, 15, 65, 50, 12, currentTotal),
                      Figure(IDC_SELECTED_SIZE, 15, 90, 50, 12, selectedSize)}};
    }
    case IDD_FOLDER_NOT_FOUND:
        return Window(180, 59, version,
                      {Icon(IDI_NOTICE, 10, 5),
                       Text(QStringLiteral("指定されたﾌｫﾙﾀﾞが見つかりません。"), 40, 10, 140, 8),
                       NameField(40, 25, 125), OkButton(65, 40, 50)});
    case IDD_DRIVE_UNAVAILABLE:
        return Window(
            189, 44, version,
            {Icon(IDI_NOTICE, 10, 5),
             Text(QStringLiteral("指定されたﾄﾞﾗｲﾌﾞは現在使用できません。"), 40, 10, 145, 8),
             OkButton(70, 25, 50)});
    case IDD_DELETE_CONFIRM:
        return Window(
            234, 64, QStringLiteral("削除の確認"),
            {Icon(IDI_QUESTION, 10, 10),
             Text(QStringLiteral("選択されたﾌｫﾙﾀﾞまたはﾌｧｲﾙを削除してもよろしいですか？"), 40, 10,
                  190, 8),
             Text(QStringLiteral("注意！　ごみ箱に入らずに削除されます。"), 40, 25, 190, 8),
             Button(1, QStringLiteral("はい(&Y)"), 65, 45, 40, true),
             Button(2, QStringLiteral("いいえ(&N)"), 130, 45, 40, false)});
    case IDD_FILE_DELETE_ERROR:
        return Window(180, 84, deleteError,
                      {Icon(IDI_NOTICE, 10, 5),
                       Text(QStringLiteral("ﾌｧｲﾙを削除できません。"), 40, 10, 140, 8),
                       NameField(40, 25, 125),
                       Text(QStringLiteral("ﾗｲﾄﾌﾟﾛﾃｸﾄされていないか、またはﾌｧｲﾙ"), 40, 40, 140, 8),
                       Text(QStringLiteral("が使用中でないか確認してください。"), 40, 50, 140, 8),
                       OkButton(65, 65, 50)});
    case IDD_DELETE_NOT_FOUND:
        return Window(
            209, 74, deleteError,
            {Icon(IDI_NOTICE, 10, 5),
             Text(QStringLiteral("ﾌｫﾙﾀﾞまたはﾌｧｲﾙを削除できません。"), 40, 10, 165, 8),
             NameField(40, 25, 150),
             Text(QStringLiteral("指定されたﾌｫﾙﾀﾞまたはﾌｧｲﾙが見つかりません。"), 40, 40, 165, 8),
             OkButton(80, 55, 50)});
    case IDD_SIZE_SHORT:
        return Window(
            229, 74, version,
            {Icon(IDI_NOTICE, 10, 5),
             Text(QStringLiteral("ﾌｫﾙﾀﾞのｻｲｽﾞを最後まで計算できません。"), 40, 10, 185, 8),
             NameField(40, 25, 150),
             Text(QStringLiteral("表示されたｻｲｽﾞは実際より小さい場合があります。"), 40, 40, 185, 8),
             OkButton(90, 55, 50)});
    case IDD_FOLDER_DELETE_ERROR:
        return Window(229, 84, deleteError,
                      {Icon(IDI_NOTICE, 10, 5),
                       Text(QStringLiteral("ﾌｫﾙﾀﾞを削除できません。"), 40, 10, 185, 8),
                       NameField(40, 25, 150),
                       Text(QStringLiteral("このﾃﾞｨｽｸはﾗｲﾄﾌﾟﾛﾃｸﾄされています。"), 40, 40, 185, 8),
                       Text(QStringLiteral("ﾗｲﾄﾌﾟﾛﾃｸﾄを解除するか、別のﾃﾞｨｽｸを使用してください。"),
                            40, 50, 185, 8),
                       OkButton(90, 65, 50)});
    default:
        return std::nullopt;
    }
}

} // namespace

DialogTemplate LoadDialogTemplate(unsigned id) {
    std::optional<DialogTemplate> found = MakeTemplate(id);
    if (!found) {
        ReportUnknownResource("dialog template", id);
        return {};
    }
    return std::move(*found);
}

} // namespace resources
