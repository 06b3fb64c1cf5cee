// Developer tool: times one whole fill of the contents list inside the real main window, started
// as the tree starts it, for comparison with vorn-measure on the same folder.
#include <unistd.h>

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/CMainFrame.h"
#include "app/CVornApp.h"
#include "document/CVornDoc.h"
#include "document/Hints.h"
#include "views/CVornFormView.h"
#include "views/CVornListView.h"
#include "views/CVornTreeView.h"
#include "views/CVornView.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vorn-bench-fill DIR\n");
        return 2;
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    // The application object owns the main window, so the progress dialog disables it as in
    // the application. Its own start would fill from the drive's root, so the frame is made
    // and updated here without the tree's first update.
    platform::Drives drives;
    CVornApp vorn(drives);
    vorn.AddDocTemplate(CSingleDocTemplate{[] { return std::make_unique<CVornDoc>(); },
                                           [&drives](CDocument* document) {
                                               return std::make_unique<CMainFrame>(
                                                   static_cast<CVornDoc*>(document), drives);
                                           }});
    if (!vorn.CreateDocumentAndFrame()) {
        return 1;
    }
    auto* frame = static_cast<CMainFrame*>(vorn.MainFrame());
    frame->ListView()->OnInitialUpdate();
    frame->FormView()->OnInitialUpdate();
    frame->ChartView()->OnInitialUpdate();
    frame->show();
    QApplication::processEvents();
    if (::chdir(argv[1]) != 0) {
        std::perror(argv[1]);
        return 1;
    }

    auto started = std::chrono::steady_clock::now();
    vorn.Document()->UpdateAllViews(frame->TreeView(), HINT_CURRENT_FOLDER_CHANGED);
    std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - started;

    std::printf("rows\t%d\n", frame->ListView()->RowCount());
    std::printf("seconds\t%.6f\n", seconds.count());
    return 0;
}
