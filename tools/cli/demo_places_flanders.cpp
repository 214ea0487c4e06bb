// The Flanders theatre: the Yser and the Ypres salient down to Lens, German-held to the east.
#include "demo_places.h"

namespace korvland::cli::demo {

namespace {

using namespace table_shorthand;

constexpr Place kPlaces[] = {
    // Allied
    {"Ypres", {50.851f, 2.886f}, City, S | D},
    {"Dunkerque", {51.034f, 2.377f}, City, S | F | D},
    {"Saint-Omer", {50.750f, 2.252f}, City, S | A},
    {"Poperinge", {50.855f, 2.726f}, Town, S | D},
    {"Hazebrouck", {50.724f, 2.539f}, Town, S | D},
    {"Béthune", {50.530f, 2.640f}, Town, S | F},
    {"Bailleul", {50.739f, 2.735f}, Town, S | A},
    {"Armentières", {50.687f, 2.881f}, Town, S | F | B},
    {"Veurne", {51.072f, 2.662f}, Town, S},
    {"Nieuwpoort", {51.125f, 2.745f}, Town, B},
    {"Bergues", {50.968f, 2.433f}, Town, N},
    {"Cassel", {50.800f, 2.486f}, Town, N},
    {"Merville", {50.643f, 2.640f}, Town, S},
    {"Aire-sur-la-Lys", {50.639f, 2.397f}, Town, B},
    {"Lillers", {50.563f, 2.482f}, Town, S},
    {"Bruay", {50.483f, 2.549f}, Town, F},
    {"De Panne", {51.099f, 2.592f}, Village, A},
    {"Hondschoote", {50.980f, 2.585f}, Village, N},
    {"Steenvoorde", {50.810f, 2.583f}, Village, N},
    {"Vlamertinge", {50.854f, 2.821f}, Village, N},
    {"Dikkebus", {50.820f, 2.823f}, Village, N},
    {"Kemmel", {50.782f, 2.828f}, Village, N},
    {"Dranouter", {50.767f, 2.784f}, Village, N},
    {"Loker", {50.780f, 2.771f}, Village, N},
    {"Westouter", {50.795f, 2.745f}, Village, N},
    {"Reninghelst", {50.812f, 2.766f}, Village, N},
    {"Elverdinge", {50.882f, 2.818f}, Village, N},
    {"Boezinge", {50.894f, 2.857f}, Village, B},
    {"Proven", {50.890f, 2.655f}, Village, A},
    {"Watou", {50.858f, 2.621f}, Village, N},
    {"Abeele", {50.818f, 2.683f}, Village, A},
    {"Oostvleteren", {50.932f, 2.741f}, Village, N},
    {"Lo", {50.980f, 2.753f}, Village, N},
    {"Alveringem", {51.012f, 2.711f}, Village, N},
    {"Oostduinkerke", {51.115f, 2.680f}, Village, N},
    {"Nieppe", {50.703f, 2.837f}, Village, N},
    {"Steenwerck", {50.702f, 2.779f}, Village, N},
    {"Estaires", {50.645f, 2.722f}, Village, N},
    {"Nœux-les-Mines", {50.481f, 2.665f}, Village, F},
    {"Beuvry", {50.520f, 2.682f}, Village, N},
    {"Clairmarais", {50.770f, 2.300f}, Village, A},
    {"Godewaersvelde", {50.793f, 2.643f}, Village, S},
    {"Boeschepe", {50.800f, 2.692f}, Village, N},
    {"Arques", {50.735f, 2.303f}, Village, F},
    // German
    {"Lille", {50.629f, 3.057f}, City, S | F | D},
    {"Roeselare", {50.946f, 3.123f}, City, S | D},
    {"Kortrijk", {50.828f, 3.265f}, City, S | A | B},
    {"Brugge", {51.209f, 3.224f}, City, S},
    {"Oostende", {51.230f, 2.920f}, City, S | A | F},
    {"Roubaix", {50.690f, 3.181f}, City, F},
    {"Douai", {50.370f, 3.080f}, City, S | D},
    {"Menen", {50.797f, 3.121f}, Town, B},
    {"Tourcoing", {50.724f, 3.161f}, Town, F},
    {"Torhout", {51.065f, 3.101f}, Town, S},
    {"Diksmuide", {51.035f, 2.880f}, Town, B},
    {"Lens", {50.432f, 2.831f}, Town, S | F},
    {"Izegem", {50.914f, 3.213f}, Town, N},
    {"Carvin", {50.492f, 2.958f}, Town, N},
    {"Hénin-Liétard", {50.422f, 2.950f}, Town, N},
    {"Tielt", {50.999f, 3.327f}, Town, N},
    {"Wervik", {50.780f, 3.040f}, Village, B},
    {"Comines", {50.762f, 3.009f}, Village, N},
    {"Passendale", {50.900f, 3.020f}, Village, N},
    {"Zonnebeke", {50.872f, 2.988f}, Village, N},
    {"Moorslede", {50.890f, 3.061f}, Village, N},
    {"Langemark", {50.911f, 2.917f}, Village, N},
    {"Poelkapelle", {50.918f, 2.958f}, Village, N},
    {"Houthulst", {50.978f, 2.951f}, Village, D},
    {"Staden", {50.975f, 3.015f}, Village, N},
    {"Gistel", {51.157f, 2.966f}, Village, A},
    {"Middelkerke", {51.185f, 2.820f}, Village, N},
    {"Lichtervelde", {51.032f, 3.141f}, Village, S},
    {"Kortemark", {51.030f, 3.042f}, Village, N},
    {"Hooglede", {50.975f, 3.083f}, Village, N},
    {"Ledegem", {50.857f, 3.124f}, Village, N},
    {"Geluveld", {50.835f, 2.993f}, Village, N},
    {"Mesen", {50.765f, 2.898f}, Village, N},
    {"Warneton", {50.752f, 2.950f}, Village, N},
    {"Quesnoy-sur-Deûle", {50.713f, 2.999f}, Village, N},
    {"Wambrechies", {50.686f, 3.049f}, Village, N},
    {"Haubourdin", {50.609f, 2.987f}, Village, F},
    {"La Bassée", {50.535f, 2.807f}, Village, S},
    {"Fromelles", {50.605f, 2.855f}, Village, N},
    {"Seclin", {50.548f, 3.030f}, Village, S},
    {"Harelbeke", {50.855f, 3.309f}, Village, F},
    {"Ingelmunster", {50.920f, 3.254f}, Village, N},
};

constexpr GeoPoint kFront[] = {
    {51.16f, 2.72f}, {51.03f, 2.87f}, {50.93f, 2.88f}, {50.90f, 2.90f}, {50.87f, 2.96f},
    {50.83f, 2.94f}, {50.80f, 2.88f}, {50.74f, 2.88f}, {50.69f, 2.93f}, {50.63f, 2.86f},
    {50.58f, 2.80f}, {50.53f, 2.76f}, {50.46f, 2.77f}, {50.36f, 2.78f},
};

constexpr GeoPoint kGermanClosure[] = {{50.30f, 2.78f}, {50.30f, 3.50f}, {51.40f, 3.50f}, {51.40f, 2.72f}};

// Flat polder and low ridges.
float elevation(GeoPoint, float noise) {
    return 4.0f + noise * 60.0f;
}

} // namespace

const RegionPlaces& flandersPlaces() {
    static const RegionPlaces places{kPlaces, kFront, kGermanClosure, &elevation};
    return places;
}

} // namespace korvland::cli::demo
