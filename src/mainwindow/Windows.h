#pragma once

#include <QList>
#include <memory>

class QWidget;
class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class TForm10;
class TForm11;
class TForm12;
class TForm13;
class TForm14;
class TForm20;

// The program's fifteen windows, created once at start-up in this order and kept until the end.
struct Windows
{
    Windows();
    ~Windows(); // destroys them in the reverse order
    Windows(const Windows &) = delete;
    Windows &operator=(const Windows &) = delete;

    QList<QWidget *> all() const;

    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<TForm3> form3;
    std::unique_ptr<TForm4> form4;
    std::unique_ptr<TForm5> form5;
    std::unique_ptr<TForm6> form6;
    std::unique_ptr<TForm7> form7;
    std::unique_ptr<TForm8> form8;
    std::unique_ptr<TForm9> form9;
    std::unique_ptr<TForm10> form10;
    std::unique_ptr<TForm11> form11;
    std::unique_ptr<TForm12> form12;
    std::unique_ptr<TForm13> form13;
    std::unique_ptr<TForm14> form14;
    std::unique_ptr<TForm20> form20;
};
