#pragma once

#include <QStringList>

class QApplication;

namespace tavlo {

// The program from start to end: refuses a second copy, writes the file
// association, shows the main window and opens the file named on the command line.
// arguments are the program's own arguments, without its name.
int Main(QApplication& app, const QStringList& arguments);

} // namespace tavlo
