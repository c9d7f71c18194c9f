// Overview pages: every picture of the data folder, grouped by folder, on a
// checkered ground so transparency shows, each with its name and size.
#include "art/game_paint.h"
#include "sheets/picture_io.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace sheets {

namespace {

constexpr int kPageW = 1800, kPageMaxH = 1400, kMargin = 14, kLabel = 30;

struct Item {
    std::string name;
    cairo_surface_t* pic;
    double scale;
    int w, h; // cell size on the page
};

void checker(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    for (int j = 0; j * 8 < h; ++j)
        for (int i = 0; i * 8 < w; ++i) {
            double v = ((i + j) % 2) ? 0.42 : 0.36;
            cairo_set_source_rgb(cr, v, v * 1.05, v);
            cairo_rectangle(cr, x + i * 8, y + j * 8, 8, 8);
            cairo_fill(cr);
        }
    cairo_restore(cr);
}

void writePage(const std::filesystem::path& file, const std::string& title, std::vector<Item>& items) {
    // Lay out in rows first to know the height.
    std::vector<std::pair<int, int>> pos(items.size());
    int x = kMargin, y = 60, rowH = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        if (x + items[i].w > kPageW - kMargin) x = kMargin, y += rowH + kMargin, rowH = 0;
        pos[i] = {x, y};
        x += items[i].w + kMargin;
        rowH = std::max(rowH, items[i].h + kLabel);
    }
    int height = y + rowH + kMargin;
    cairo_surface_t* page = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kPageW, height);
    cairo_t* cr = cairo_create(page);
    cairo_set_source_rgb(cr, 0.16, 0.16, 0.17);
    cairo_paint(cr);
    art::setFont(cr, art::gp::kFontText, 26);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_move_to(cr, kMargin, 40);
    cairo_show_text(cr, title.c_str());
    art::setFont(cr, art::gp::kFontText, 12);
    for (size_t i = 0; i < items.size(); ++i) {
        auto [px, py] = pos[i];
        Item& it = items[i];
        checker(cr, px, py, it.w, it.h);
        cairo_save(cr);
        cairo_translate(cr, px, py);
        cairo_scale(cr, it.scale, it.scale);
        cairo_set_source_surface(cr, it.pic, 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
        char label[200];
        std::snprintf(label, sizeof label, "%s %dx%d", it.name.c_str(), cairo_image_surface_get_width(it.pic),
                      cairo_image_surface_get_height(it.pic));
        cairo_set_source_rgb(cr, 0.9, 0.9, 0.85);
        cairo_move_to(cr, px, py + it.h + 15);
        cairo_show_text(cr, label);
    }
    cairo_destroy(cr);
    cairo_surface_write_to_png(page, file.c_str());
    cairo_surface_destroy(page);
}

} // namespace

void renderOverview(const std::filesystem::path& dataDir, const std::filesystem::path& out) {
    std::map<std::string, std::vector<std::filesystem::path>> groups;
    for (auto& e : std::filesystem::recursive_directory_iterator(dataDir)) {
        if (!e.is_regular_file()) continue;
        // Only the installed files: the data folder and the icon beside it.
        auto rel = std::filesystem::relative(e.path(), dataDir).string();
        if (rel.rfind("data/", 0) != 0 && rel.find('/') != std::string::npos) continue;
        auto ext = e.path().extension().string();
        if (ext != ".png" && ext != ".jpg" && ext != ".ico") continue;
        std::string group = std::filesystem::relative(e.path().parent_path(), dataDir).string();
        if (group.rfind("data/pu/", 0) == 0) group = "data/pu";
        if (group == ".") group = "installation folder";
        groups[group].push_back(e.path());
    }
    int pictures = 0;
    for (auto& [group, files] : groups) {
        std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
            // Natural order: name2 before name10.
            auto key = [](const std::filesystem::path& p) {
                std::string s = p.string(), k;
                for (size_t i = 0; i < s.size();) {
                    if (std::isdigit(static_cast<unsigned char>(s[i]))) {
                        size_t j = i;
                        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
                        k += std::string(8 - std::min<size_t>(8, j - i), '0') + s.substr(i, j - i);
                        i = j;
                    } else k += s[i++];
                }
                return k;
            };
            return key(a) < key(b);
        });
        std::vector<Item> items;
        int pageNo = 1, used = 0;
        std::string safe = group;
        std::replace(safe.begin(), safe.end(), '/', '-');
        std::replace(safe.begin(), safe.end(), ' ', '-');
        auto flush = [&] {
            if (items.empty()) return;
            writePage(out / ("contact-" + safe + "-" + std::to_string(pageNo++) + ".png"), group, items);
            for (auto& it : items) cairo_surface_destroy(it.pic);
            items.clear();
            used = 0;
        };
        for (auto& f : files) {
            cairo_surface_t* pic = nullptr;
            if (f.extension() == ".ico") {
                // The icon holds one PNG entry after the 22-byte header.
                FILE* in = std::fopen(f.c_str(), "rb");
                if (in) {
                    std::vector<unsigned char> bytes;
                    for (int c; (c = std::fgetc(in)) != EOF;) bytes.push_back(static_cast<unsigned char>(c));
                    std::fclose(in);
                    auto tmp = out / "icon-entry.png";
                    if (bytes.size() > 22) {
                        FILE* o = std::fopen(tmp.c_str(), "wb");
                        std::fwrite(bytes.data() + 22, 1, bytes.size() - 22, o);
                        std::fclose(o);
                        pic = loadPicture(tmp);
                        std::filesystem::remove(tmp);
                    }
                }
            } else pic = loadPicture(f);
            if (!pic) {
                std::printf("contact-sheet: cannot decode %s\n", f.c_str());
                continue;
            }
            ++pictures;
            int w = cairo_image_surface_get_width(pic), h = cairo_image_surface_get_height(pic);
            // Small pictures are shown enlarged, big ones reduced; a cell is wide enough for its label.
            double scale = std::max(w, h) <= 64 ? 2.0 : std::min(1.0, std::min(420.0 / w, 320.0 / h));
            Item it{f.filename().string(), pic, scale, std::max(150, static_cast<int>(w * scale)),
                    std::max(1, static_cast<int>(h * scale))};
            if (used + it.w * (it.h + kLabel) > kPageW * kPageMaxH * 0.55) flush();
            used += it.w * (it.h + kLabel);
            items.push_back(it);
        }
        flush();
    }
    std::printf("contact-sheet: %d pictures on the overview pages\n", pictures);
}

} // namespace sheets
