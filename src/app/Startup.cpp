#include "app/Startup.h"

#include "app/TForm20.h"
#include "archive/TForm9.h"
#include "emulator/TForm12.h"
#include "emulator/TForm3.h"
#include "emulator/TForm4.h"
#include "emulator/TForm5.h"
#include "emulator/TForm6.h"
#include "emulator/TForm7.h"
#include "gamegenie/TForm8.h"
#include "language/TForm13.h"
#include "library/TForm10.h"
#include "mainwindow/TForm1.h"
#include "mainwindow/TForm11.h"
#include "mainwindow/TForm2.h"
#include "screenshots/TForm14.h"

std::unique_ptr<Windows> createWindows()
{
    auto windows = std::make_unique<Windows>();
    Windows &w = *windows;
    w.form1 = std::make_unique<TForm1>(w);
    if (!w.form1->started())
        return windows;
    w.form2 = std::make_unique<TForm2>(w.form1->romList());
    w.form3 = std::make_unique<TForm3>();
    w.form4 = std::make_unique<TForm4>();
    w.form5 = std::make_unique<TForm5>();
    w.form6 = std::make_unique<TForm6>();
    w.form7 = std::make_unique<TForm7>();
    w.form8 = std::make_unique<TForm8>(w.form1->configTemplate());
    w.form9 = std::make_unique<TForm9>();
    w.form10 = std::make_unique<TForm10>();
    w.form11 = std::make_unique<TForm11>();
    w.form12 = std::make_unique<TForm12>();
    w.form13 = std::make_unique<TForm13>(w.form1->language());
    w.form14 = std::make_unique<TForm14>();
    w.form20 = std::make_unique<TForm20>(w);
    return windows;
}
