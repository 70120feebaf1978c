// The window at the user's text scale (GDK_DPI_SCALE, set per CTest run): twips follow the
// resolution text is drawn at, so no control clips its text and the toolbar keeps all its
// buttons.
#include <cmath>
#include <cstdlib>
#include <set>

#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/image.h>
#include <wx/stattext.h>
#include <wx/toolbar.h>

#include "app/gtk/ToolbarLook.h"
#include "tests/support/FormFixture.h"

using namespace zemora;
using zemora::test::FormFixture;
using zemora::test::runPendingEvents;

namespace {

GtkWidget* findToolbar(GtkWidget* widget)
{
    if (GTK_IS_TOOLBAR(widget) || !GTK_IS_CONTAINER(widget))
        return GTK_IS_TOOLBAR(widget) ? widget : nullptr;
    GtkWidget* found = nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
    for (GList* i = children; i && !found; i = i->next)
        found = findToolbar(GTK_WIDGET(i->data));
    g_list_free(children);
    return found;
}

int toolsShown(wxToolBar* bar)
{
    int shown = 0;
    GtkWidget* toolbar = findToolbar(bar->GetHandle());
    if (!toolbar)
        return -1;
    GList* items = gtk_container_get_children(GTK_CONTAINER(toolbar));
    for (GList* i = items; i; i = i->next)
        if (GTK_IS_TOOL_BUTTON(i->data) && gtk_widget_get_child_visible(GTK_WIDGET(i->data))
            && gtk_widget_get_mapped(GTK_WIDGET(i->data)))
            ++shown;
    g_list_free(items);
    return shown;
}

// The text's size as the control draws it (with the window's own style).
wxSize drawnSize(wxWindow* control, const wxString& text)
{
    GtkWidget* widget = control->GetHandle();
    if (GTK_IS_BUTTON(widget))
        widget = gtk_bin_get_child(GTK_BIN(widget));
    else if (GTK_IS_COMBO_BOX(widget))
        widget = gtk_bin_get_child(GTK_BIN(widget));
    PangoLayout* layout = gtk_widget_create_pango_layout(widget, text.utf8_str());
    int width = 0, height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    g_object_unref(layout);
    return {width, height};
}

} // namespace

using TextScale = FormFixture;

TEST_F(TextScale, ControlsHoldTheirTextAndTheToolbarAllTwelveButtons)
{
    const char* scale = std::getenv("GDK_DPI_SCALE");
    const double expected = 96.0 * (scale ? std::atof(scale) : 1.0);
    EXPECT_NEAR(textDotsPerInch(form), expected, 0.5);
    EXPECT_NEAR(form->GetClientSize().x, 9945 * expected / 1440, 1);
    EXPECT_NEAR(form->ScaleWidth(), 9945, 15) << "the layout's size in twips is the same";

    handle(&Form1::Form_Load);
    form->Show();
    ASSERT_TRUE(
        zemora::test::runEventsUntil([&] { return gtk_widget_get_mapped(form->Toolbar1->Window()->GetHandle()); }));
    runPendingEvents();
    const auto holds = [](wxWindow* control, const wxString& text) {
        const wxSize need = drawnSize(control, text);
        const wxSize has = control->GetSize();
        EXPECT_LE(need.x, has.x) << text;
        EXPECT_LE(need.y, has.y) << text;
    };
    holds(form->Label1, form->Label1->GetLabel());
    holds(form->Label2, form->Label2->GetLabel());
    holds(form->Command1, form->Command1->GetLabel());
    holds(form->autofresh, form->autofresh->GetLabel());
    holds(form->Combo1->Window(), "Ag");
    holds(form->Combo2->Window(), "Ag");
    EXPECT_EQ(toolsShown(form->Toolbar1->Window()), 12);
    EXPECT_LE(form->Toolbar1->Window()->GetBestSize().y, form->Toolbar1->Window()->GetSize().y);
}

namespace {

struct ToolParts {
    GtkWidget* image = nullptr;
    GtkWidget* label = nullptr;
};

void findParts(GtkWidget* widget, gpointer parts)
{
    auto* found = static_cast<ToolParts*>(parts);
    if (GTK_IS_IMAGE(widget))
        found->image = widget;
    else if (GTK_IS_LABEL(widget))
        found->label = widget;
    else if (GTK_IS_CONTAINER(widget))
        gtk_container_forall(GTK_CONTAINER(widget), findParts, parts);
}

GtkAllocation allocationOf(GtkWidget* widget)
{
    GtkAllocation a;
    gtk_widget_get_allocation(widget, &a);
    return a;
}

bool drawn(GtkWidget* widget)
{
    return gtk_widget_get_visible(widget) && gtk_widget_get_child_visible(widget) && gtk_widget_get_mapped(widget);
}

} // namespace

namespace {

// The image size, 40 by 42 pixels in twips, in the window's pixels.
wxSize pictureSizeAt(double dotsPerInch)
{
    return {static_cast<int>(std::lround(600 * dotsPerInch / 1440)),
            static_cast<int>(std::lround(630 * dotsPerInch / 1440))};
}

bool opaqueAt(const wxImage& image, int x, int y) { return !image.HasAlpha() || image.GetAlpha(x, y) > 128; }

} // namespace

TEST_F(TextScale, PicturesAreDrawnAtTheImageSizeAndBadgesFillIt)
{
    const wxSize size = pictureSizeAt(textDotsPerInch(form));
    EXPECT_EQ(form->Toolbar1->Window()->GetToolBitmapSize(), size);
    ASSERT_EQ(form->ImageList1.ListImages.size(), 13u);
    for (std::size_t i = 0; i < form->ImageList1.ListImages.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "picture " << i + 1);
        const wxBitmapBundle& picture = form->ImageList1.ListImages[i];
        EXPECT_EQ(picture.GetDefaultSize(), size);
        const wxImage image = picture.GetBitmap(size).ConvertToImage();
        ASSERT_EQ(image.GetSize(), size);
        if (i < 5 || i > 10)
            continue;
        // A portal badge is wider than the picture: stretched, it reaches all four edges;
        // shrunk to keep its proportions, it would leave bands above and below.
        EXPECT_TRUE(opaqueAt(image, size.x / 2, 2));
        EXPECT_TRUE(opaqueAt(image, size.x / 2, size.y - 3));
        EXPECT_TRUE(opaqueAt(image, 2, size.y / 2));
        EXPECT_TRUE(opaqueAt(image, size.x - 3, size.y / 2));
    }
}

// At every size the layout gives the toolbar, each button holds its picture at the image
// size in twips, its caption (when there is room) a fixed gap under it, and the two as one
// block in the middle of the button's height.
TEST_F(TextScale, PictureAndCaptionStayTogetherInTheMiddleOfEachButtonAtEverySize)
{
    handle(&Form1::Form_Load);
    const wxSize pictureSize = pictureSizeAt(textDotsPerInch(form));
    GtkToolbar* toolbar = form->Toolbar1->Window()->GTKGetToolbar();
    std::set<int> gaps;
    for (const wxSize size : {wxSize(500, 400), form->GetClientSize(), wxSize(1600, 1000), wxSize(1920, 1080)}) {
        form->SetClientSize(size);
        ASSERT_TRUE(zemora::test::runEventsUntil([&] {
            const GtkAllocation bar = allocationOf(GTK_WIDGET(toolbar));
            return bar.width == form->Toolbar1->Window()->GetSize().x
                   && bar.height == form->Toolbar1->Window()->GetSize().y;
        }));
        runPendingEvents();
        const bool roomy = size.y >= 1000;
        int shown = 0;
        for (int i = 0; i < gtk_toolbar_get_n_items(toolbar); ++i) {
            SCOPED_TRACE(testing::Message() << size.x << "x" << size.y << ", tool " << i + 1);
            GtkWidget* item = GTK_WIDGET(gtk_toolbar_get_nth_item(toolbar, i));
            if (!drawn(item))
                continue;
            ++shown;
            ToolParts parts;
            findParts(item, &parts);
            ASSERT_TRUE(parts.image);
            ASSERT_TRUE(drawn(parts.image));
            const GtkAllocation button = allocationOf(gtk_bin_get_child(GTK_BIN(item)));
            const GtkAllocation picture = allocationOf(parts.image);
            // Drawn whole inside the button: at the image size, or where the toolbar is
            // too low for that, smaller in proportion.
            const wxSize bitmap = form->Toolbar1->Window()->GetToolBitmapSize();
            EXPECT_EQ(picture.width, bitmap.x);
            EXPECT_EQ(picture.height, bitmap.y);
            EXPECT_GE(picture.y, button.y);
            EXPECT_LE(picture.y + picture.height, button.y + button.height);
            if (picture.height < pictureSize.y) {
                EXPECT_LT(size.y, 519) << "only a small window's toolbar is too low for a picture";
                EXPECT_NEAR(picture.width, picture.height * pictureSize.x / double(pictureSize.y), 1);
            } else {
                EXPECT_EQ(picture.width, pictureSize.x);
                EXPECT_EQ(picture.height, pictureSize.y);
            }
            const bool captioned = parts.label && drawn(parts.label);
            EXPECT_TRUE(captioned || !roomy) << "room enough, and no caption";
            int bottom = picture.y + picture.height;
            if (captioned) {
                const GtkAllocation caption = allocationOf(parts.label);
                gaps.insert(caption.y - bottom);
                EXPECT_GE(caption.y, bottom) << "the caption is drawn over the picture";
                EXPECT_NEAR(caption.x + caption.width / 2.0, picture.x + picture.width / 2.0, 1.5);
                bottom = caption.y + caption.height;
            }
            const int above = picture.y - button.y;
            const int below = button.y + button.height - bottom;
            EXPECT_NEAR(above, below, 1) << "the picture (and caption) off the button's middle";
        }
        EXPECT_GT(shown, 0) << size.x << "x" << size.y; // a narrow window shows fewer
    }
    ASSERT_FALSE(gaps.empty());
    EXPECT_EQ(gaps.size(), 1u) << "the caption's distance from its picture changes with the size";
    EXPECT_LE(*gaps.rbegin(), 6);
}

namespace {

// How far a control's text lies below the middle of the control (above, when negative), in
// pixels, as GTK places the text.
double textOffMiddle(wxWindow* control)
{
    GtkWidget* widget = control->GetHandle();
    const GtkAllocation box = allocationOf(widget);
    int x = 0, y = 0;
    PangoLayout* layout = nullptr;
    if (GTK_IS_COMBO_BOX(widget)) {
        GtkEntry* entry = GTK_ENTRY(gtk_bin_get_child(GTK_BIN(widget)));
        gtk_entry_get_layout_offsets(entry, &x, &y); // from the entry's corner
        y += allocationOf(GTK_WIDGET(entry)).y;
        layout = gtk_entry_get_layout(entry);
    } else {
        GtkLabel* label = GTK_LABEL(GTK_IS_BUTTON(widget) ? gtk_bin_get_child(GTK_BIN(widget)) : widget);
        gtk_label_get_layout_offsets(label, &x, &y); // in the window's coordinates
        layout = gtk_label_get_layout(label);
    }
    int width = 0, height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    return y + height / 2.0 - (box.y + box.height / 2.0);
}

} // namespace

// The address row and the banner grow with the window; their texts stay in the middle of
// their boxes, so the row reads as one line at every size.
TEST_F(TextScale, AddressRowTextsStayInTheMiddleOfTheirBoxesAtEverySize)
{
    handle(&Form1::Form_Load);
    for (const wxSize size : {form->GetClientSize(), wxSize(1280, 1024), wxSize(1920, 1080)}) {
        form->SetClientSize(size);
        ASSERT_TRUE(zemora::test::runEventsUntil(
            [&] { return allocationOf(form->Label2->GetHandle()).width == form->Label2->GetSize().x; }));
        runPendingEvents();
        for (wxWindow* control :
             std::initializer_list<wxWindow*>{form->Label1, form->Combo1->Window(), form->Command1,
                                              form->Combo2->Window(), form->autofresh, form->Label2}) {
            SCOPED_TRACE(testing::Message() << size.x << "x" << size.y << ", " << control->GetLabel());
            EXPECT_NEAR(textOffMiddle(control), 0, 1.5);
        }
    }
}
