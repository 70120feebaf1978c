#include "app/Startup.h"

#include <clocale>

namespace zemora {

Form1* startProgram(Form1Seams seams, StartPage start)
{
    std::setlocale(LC_ALL, "");
    auto* form = new Form1(std::move(seams));
    form->Start = std::move(start);
    form->runHandler([form] { form->Form_Load(); });
    form->Show();
    return form;
}

} // namespace zemora
