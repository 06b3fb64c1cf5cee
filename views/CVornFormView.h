#pragma once

#include <QString>

#include <cstdint>

#include "framework/CFormView.h"
#include "platform/Drives.h"
#include "views/CVornPaneView.h"

// The disk figures: the current drive's size and free space, the current folder's total and
// the selected rows' total, each in bytes with grouped digits.
class CVornFormView : public CVornPaneView<CFormView> {
public:
    explicit CVornFormView(platform::Drives& drives, QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, long lHint, CObject* pHint) override;
    void DoDataExchange() override;

    void UpdateDiskFigures();
    // Decimal digits in groups of three separated by commas: 1234567 gives "1,234,567".
    static QString FormatNumber(std::uint64_t value);

    QString m_strDiskTotal;
    QString m_strDiskFree;
    QString m_strCurrentTotal;
    QString m_strSelectedSize;

private:
    platform::Drives& m_drives;
};
