-- The apportionment of a posting's value over cost centres, kept by the apportionment screens. A posting
-- closed again reads it to ask whether it is kept.
CREATE TABLE RATEIONF (
    CDFILIAL      VARCHAR(4)    NOT NULL,
    NRLANCTONF    VARCHAR(10)   NOT NULL,
    NRSEQRATEIO   VARCHAR(3)    NOT NULL,
    CDCENTCUSTO   VARCHAR(10)   NOT NULL,
    VRPERCRATEIO  NUMERIC(7, 4) NOT NULL,
    VRRATEIO      NUMERIC(15, 2) NOT NULL,
    PRIMARY KEY (CDFILIAL, NRLANCTONF, NRSEQRATEIO)
);
