#include "app/CZarn2Application.h"

int main(int argc, char* argv[]) { return CZarn2Application::Run(argc, argv); }
