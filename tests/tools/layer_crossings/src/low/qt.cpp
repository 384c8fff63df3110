#include <string>
#include <QString>
