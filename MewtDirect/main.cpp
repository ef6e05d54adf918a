#include "shell/MewtApp.h"

int main(int argc, char* argv[])
{
    return mewt::MewtApp::run(argc, argv);
}
