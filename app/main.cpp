// The desktop program: the system's application object on the Qt driver.

#include "platform/drivers/qt/QtDriver.h"
#include "platform/window/Resources.h"
#include "platform/window/WinApp.h"
#include "resources/VeltranResources.h"
#include "ui/DownloadApp.h"

// The one application object, built before main as the shell expects.
CDownloadApp theApp;

int main(int argc, char* argv[]) {
    platform::qt::QtDriver driver(argc, argv);
    platform::installDriver(&driver);
    platform::setResources(&veltranResources());
    return runApplication(theApp, argv[0]);
}
