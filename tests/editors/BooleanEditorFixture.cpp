#include "editors/BooleanEditorFixture.h"

#include <QTest>

void BooleanEditorTest::Type(QWidget& dialog, const QString& strName, const QString& strText) {
    QLineEdit& field = Edit(dialog, strName);
    field.selectAll();
    QTest::keyClick(&field, Qt::Key_Delete);
    QTest::keyClicks(&field, strText);
}
