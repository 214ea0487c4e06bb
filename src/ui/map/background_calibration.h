#pragma once

#include "data/landmark_set.h"
#include "ui/map/map_background.h"

#include <QDialog>
#include <QImage>

#include <optional>
#include <vector>

class QComboBox;
class QDialogButtonBox;
class QLabel;

namespace korvland {

namespace calibration_names {
inline constexpr char kDialog[] = "BackgroundCalibration";
inline constexpr char kLandmarkBox[] = "AnchorLandmark";
inline constexpr char kPicture[] = "AnchorPicture";
} // namespace calibration_names

// Places a picture of the theatre under the map by two anchors: the operator picks a
// landmark, clicks where it lies on the picture, and does so once more for a second one.
// A third click starts the pair again.
class BackgroundCalibrationDialog : public QDialog {
    Q_OBJECT
  public:
    BackgroundCalibrationDialog(const QImage& picture, const LandmarkSet& set, QWidget* parent = nullptr);

    // Anchors the landmark chosen in the list at this pixel of the picture.
    void pictureClicked(QPointF pixel);
    // Both anchors, once two have been set.
    std::optional<BackgroundAnchors> anchors() const;
    QComboBox* landmarkBox() const { return mLandmarkBox; }
    QWidget* pictureView() const;

  private:
    void showAnchors();

    std::vector<std::uint16_t> mIds; // by list row
    std::vector<BackgroundAnchor> mAnchors;
    std::vector<QString> mAnchorNames;
    QComboBox* mLandmarkBox = nullptr;
    class AnchorPictureView* mPictureView = nullptr;
    QLabel* mAnchorText = nullptr;
    QDialogButtonBox* mButtons = nullptr;
};

} // namespace korvland
