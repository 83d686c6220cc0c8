#include "editor/ui/app/application.h"

int main(int argc, char** argv) { return keyui::app::runApplication(argc, argv); }
