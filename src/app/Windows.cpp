#include "mainwindow/Windows.h"

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

Windows::Windows() = default;

Windows::~Windows()
{
    // The reverse order of creation: the main window, which the others refer to, goes last.
    form20.reset();
    form14.reset();
    form13.reset();
    form12.reset();
    form11.reset();
    form10.reset();
    form9.reset();
    form8.reset();
    form7.reset();
    form6.reset();
    form5.reset();
    form4.reset();
    form3.reset();
    form2.reset();
    form1.reset();
}

QList<QWidget *> Windows::all() const
{
    QList<QWidget *> windows;
    for (QWidget *w : std::initializer_list<QWidget *>{form1.get(), form2.get(), form3.get(), form4.get(), form5.get(),
                                                       form6.get(), form7.get(), form8.get(), form9.get(), form10.get(),
                                                       form11.get(), form12.get(), form13.get(), form14.get()}) {
        if (w)
            windows.append(w);
    }
    return windows;
}
