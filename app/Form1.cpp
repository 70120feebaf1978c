#include "app/Form1.h"

#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "app/Resources.h"

namespace zemora {

const wxString Form1::kStartAddress = "http://www.baidu.com";
const wxString Form1::kCaption = wxString::FromUTF8("Zemora浏览器");
const wxString Form1::kAddressPrompt = wxString::FromUTF8("请填写您想收藏的网址");

namespace {

// The window's size and places are in twips (15 to the pixel at 96 DPI).
constexpr int kInnerWidth = 9945;
constexpr int kInnerHeight = 7785;

// GTK's stock paddings make an entry or a button taller than the rows it was laid out
// for; tighten them so each control fits the height it is given.
void useCompactControls()
{
    static const bool done = [] {
        GtkCssProvider* css = gtk_css_provider_new();
        // Only the window's own controls, the panel's direct children: the dialogs a page
        // opens are drawn inside the web view and keep the theme's look.
        gtk_css_provider_load_from_data(css,
            "#zemora-controls > entry, #zemora-controls > button,"
            " #zemora-controls > combobox entry, #zemora-controls > combobox button {"
            " min-height: 0; padding-top: 0; padding-bottom: 0; }"
            "#zemora-controls > entry, #zemora-controls > combobox entry {"
            " padding-left: 4px; padding-right: 4px; }"
            "#zemora-controls > label, #zemora-controls > entry, #zemora-controls > button,"
            " #zemora-controls > combobox entry, #zemora-controls > combobox button { font-size: 9pt; }"
            "#zemora-controls toolbar { padding: 0; }"
            // A list drop-down scrolls through thousands of entries, and adding one costs
            // no walk over the others, as the menu kind's does.
            "combobox { -GtkComboBox-appears-as-list: true; }"
            "#zemora-controls toolbar toolbutton > button { padding: 1px 4px; margin: 0;"
            " border-width: 0; min-width: 0; }"
            "#zemora-controls toolbar button label { font-size: 8pt; margin: 0; padding: 0; }",
            -1, nullptr);
        gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
            GTK_STYLE_PROVIDER(css), GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        g_object_unref(css);
        return true;
    }();
    (void)done;
}

} // namespace

Form1::Form1(Form1Seams seams)
    : wxFrame(nullptr, wxID_ANY, kCaption),
      Timer1(6600, 3960),
      ImageList1{{}, PositionOnlyEntry(3240, 3600)},
      seams_(std::move(seams)),
      inner_(nullptr),
      scale_(this)
{
    useCompactControls();
    gtk_widget_set_name(GetHandle(), "zemora-form");
    SetIcons(programIcon());
    SetClientSize(scale_.toPixels(kInnerWidth), scale_.toPixels(kInnerHeight));
    inner_ = new wxPanel(this, wxID_ANY, wxPoint(0, 0), GetClientSize());
    gtk_widget_set_name(inner_->GetHandle(), "zemora-controls");
    createControls();
    setTabOrder();
    wireEvents();
}

Form1::~Form1()
{
    Timer1.Stop();
}

void Form1::createControls()
{
    // Creation order is the collection's order: the layout's slot numbers follow it.
    const auto place = [this](wxWindow* w, float left, float top, float width, float height) {
        auto entry = std::make_unique<WindowEntry>(w, scale_);
        entry->Set(Prop::Left, left);
        entry->Set(Prop::Top, top);
        entry->Set(Prop::Width, width);
        entry->Set(Prop::Height, height);
        collection_.push_back(entry.get());
        entries_.push_back(std::move(entry));
    };
    // The engine starts its helper processes as soon as its control exists; let that
    // run while the rest of the window is built. It still takes its place in order below.
    WebBrowser1 = seams_.createBrowser(inner_);
    ImageList1.ListImages = toolbarPictures();

    const auto combo = [this](const char* text) {
        return new wxComboBox(inner_, wxID_ANY, wxString::FromUTF8(text), wxDefaultPosition,
                              wxDefaultSize, 0, nullptr, wxCB_DROPDOWN);
    };

    autofresh = new wxButton(inner_, wxID_ANY, wxString::FromUTF8("自动刷新"));
    place(autofresh, 9050, 1080, 840, 270);

    collection_.push_back(&Timer1.entry);

    Combo2 = std::make_unique<ComboBox>(combo("点击收藏夹，再请选择你要访问的网站"));
    place(Combo2->Window(), 5880, 1080, 3135, 300);

    Text2 = new wxTextCtrl(inner_, wxID_ANY, kAddressPrompt);
    place(Text2, 6480, 2040, 2415, 270);
    Text1 = new wxTextCtrl(inner_, wxID_ANY, wxString::FromUTF8("请填写您想收藏的网站名称"));
    place(Text1, 3240, 1800, 2415, 270);
    // They only carry the page's name and address for adding a favorite.
    Text2->Hide();
    Text1->Hide();

    createToolbar();
    place(Toolbar1->Window(), 0, 0, 9945, 945);

    collection_.push_back(&ImageList1.entry);

    Combo1 = std::make_unique<ComboBox>(combo(""));
    place(Combo1->Window(), 840, 1080, 3975, 300);

    Command1 = new wxButton(inner_, wxID_ANY, "GO...");
    place(Command1, 4980, 1080, 735, 255);

    place(WebBrowser1->Window(), 0, 1440, 9970, 6015);

    Label2 = new wxStaticText(inner_, wxID_ANY, "please wait a minute", wxDefaultPosition,
                              wxDefaultSize, wxST_NO_AUTORESIZE);
    place(Label2, 0, 7560, 10455, 255);
    Label1 = new wxStaticText(inner_, wxID_ANY, "Address:", wxDefaultPosition, wxDefaultSize,
                              wxST_NO_AUTORESIZE);
    place(Label1, 110, 1110, 735, 255);
}

void Form1::createToolbar()
{
    struct ButtonText {
        const char* key;
        const char* caption;
    };
    static constexpr ButtonText buttonTexts[] = {
        {"back", "Back"},       {"home", "Home"},     {"forward", "Forward"},
        {"refresh", "Refresh"}, {"stop", "Stop"},     {"baidu", "百度"},
        {"MSN", "MSN"},         {"souhu", "搜狐"},    {"wangyi", "网易"},
        {"xinlang", "新浪"},    {"yahoo", "Yahoo"},   {"add", "添加收藏"},
    };
    auto* bar = new wxToolBar(inner_, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                              wxTB_HORIZONTAL | wxTB_FLAT | wxTB_TEXT | wxTB_NODIVIDER);
    bar->SetToolBitmapSize(kPictureSize);
    std::vector<ToolbarButton> buttons;
    int image = 1;
    for (const ButtonText& text : buttonTexts) {
        const int id = wxWindow::NewControlId();
        const wxString caption = wxString::FromUTF8(text.caption);
        bar->AddTool(id, caption, ImageList1.ListImages[static_cast<std::size_t>(image) - 1]);
        buttons.push_back({text.key, caption, image, id});
        ++image;
    }
    bar->Realize();
    Toolbar1 = std::make_unique<Toolbar>(bar, std::move(buttons));
}

void Form1::setTabOrder()
{
    wxWindow* const order[] = {WebBrowser1->Window(), Label1, Command1, Combo1->Window(),
                               Toolbar1->Window(), Label2, Text1, Text2, Combo2->Window(),
                               autofresh};
    for (std::size_t i = 1; i < std::size(order); ++i)
        order[i]->MoveAfterInTabOrder(order[i - 1]);
}

std::vector<LayoutControl*> Form1::Controls() { return collection_; }

float Form1::ScaleWidth() const { return scale_.toTwips(GetClientSize().x); }

float Form1::ScaleHeight() const { return scale_.toTwips(GetClientSize().y); }

} // namespace zemora
