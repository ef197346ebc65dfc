#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("CorvelII 6.63");
    window.showMaximized();
    return app.exec();
}
