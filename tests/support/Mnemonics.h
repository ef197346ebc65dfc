#pragma once

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QWidget>

#include <map>

// The Alt letters of a window's buttons, labels, group boxes and tabs, each
// with how many controls carry it: a letter carried twice reaches only one.
inline std::map<QChar, int> MnemonicCounts(const QWidget& window) {
    std::map<QChar, int> anCounts;
    auto count = [&](const QString& strText) {
        for (int i = 0; i + 1 < strText.size(); ++i) {
            if (strText[i] != '&')
                continue;
            if (strText[i + 1] != '&')
                ++anCounts[strText[i + 1].toLower()];
            ++i;
        }
    };
    for (const QAbstractButton* pButton : window.findChildren<QAbstractButton*>())
        count(pButton->text());
    for (const QLabel* pLabel : window.findChildren<QLabel*>())
        if (pLabel->buddy())
            count(pLabel->text());
    for (const QGroupBox* pBox : window.findChildren<QGroupBox*>())
        count(pBox->title());
    for (const QTabWidget* pTabs : window.findChildren<QTabWidget*>())
        for (int i = 0; i < pTabs->count(); ++i)
            count(pTabs->tabText(i));
    return anCounts;
}

// The letters carried by more than one control, as text ("" when none).
inline QString ClashingMnemonics(const QWidget& window) {
    QString strClashes;
    for (const auto& [cLetter, nCount] : MnemonicCounts(window))
        if (nCount > 1)
            strClashes += cLetter;
    return strClashes;
}
