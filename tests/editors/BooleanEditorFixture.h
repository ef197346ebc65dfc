#pragma once

#include "editors/BooleanEditor.h"
#include "model/SystemFixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <string>

// A system of its own and the ways a test reaches the editor's controls.
class BooleanEditorTest : public SystemTest {
protected:
    static QLineEdit& Edit(const QWidget& dialog, const QString& strName) {
        return *dialog.findChild<QLineEdit*>(strName);
    }
    static QString Field(const QWidget& dialog, const QString& strName) {
        return Edit(dialog, strName).text();
    }
    static QCheckBox& Box(const QWidget& dialog, const QString& strName) {
        return *dialog.findChild<QCheckBox*>(strName);
    }
    static QAbstractButton& Button(const QWidget& dialog, const QString& strName) {
        return *dialog.findChild<QAbstractButton*>(strName);
    }
    static QScrollBar& Bar(const QWidget& dialog, const QString& strTerm) {
        return *dialog.findChild<QScrollBar*>("scroll" + strTerm);
    }
    static QComboBox& Loop(const QWidget& dialog, const QString& strTerm) {
        return *dialog.findChild<QComboBox*>("comboLoop" + strTerm);
    }
    static QString Operator(const QWidget& dialog, const QString& strName) {
        return dialog.findChild<QLabel*>("labelOperator" + strName)->text();
    }
    static QString Equation(const QWidget& dialog) {
        return dialog.findChild<QPlainTextEdit*>("editEquation")->toPlainText();
    }
    // Module letter and channel number of a term as shown, e.g. "C3" or "_1".
    static std::string Term(const QWidget& dialog, const QString& strTerm) {
        return (Field(dialog, "editModule" + strTerm) + Field(dialog, "editChannel" + strTerm))
            .toStdString();
    }
    static void Type(QWidget& dialog, const QString& strName, const QString& strText);
};
