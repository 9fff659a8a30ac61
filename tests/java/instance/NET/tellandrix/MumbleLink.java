package NET.tellandrix;

/** A host whose class declares the two native methods as instance methods. */
public final class MumbleLink {
    static {
        System.loadLibrary("mumblezevrin");
    }

    public native void initMumble();

    public native void updateMumble(String identity,
            float avatarX, float avatarZ, float avatarY,
            float cameraX, float cameraZ, float cameraY,
            float azimuth, float elevation, String context);

    public static void main(String[] args) {
        MumbleLink link = new MumbleLink();
        link.initMumble();
        for (int i = 0; i < 3; i++) {
            link.updateMumble("Instance", 1, 2, 3, 4, 5, 6, 0, 0, "InstanceContext");
        }
    }
}
