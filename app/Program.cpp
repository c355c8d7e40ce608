#include "Program.h"

#include "AppContext.h"
#include "Clock.h"
#include "IcmpPinger.h"
#include "QtMessages.h"
#include "ReportDialogViewer.h"
#include "StockCek.h"
#include "omsetsales.h"
#include "userprofile.h"

#include <QApplication>

int runProgram(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vidarera"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vid Arera"));

    QtMessages messages;
    Clock clock;
    IcmpPinger pinger;
    ReportDialogViewer reportViewer(messages);
    AppContext context;
    context.messages = &messages;
    context.clock = &clock;
    context.pinger = &pinger;
    context.reportViewer = &reportViewer;
    context.programDir = QApplication::applicationDirPath();

    TVidArera vidArera(context);
    TOmset omset(&vidArera);
    Tfrmuserprofile profile(&vidArera);
    vidArera.setCompanions(&omset, &profile);
    vidArera.show();
    return app.exec();
}
